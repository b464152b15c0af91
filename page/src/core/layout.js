// Keeps the editor filling the window: the editing area takes every pixel the window has
// left under the toolbar, never less than the configured height, and scrolls inside itself.
// A click in the empty space below the last paragraph puts the caret at the article's end.
const PAGE_MARGIN = 8; // the page's padding under the editor
// The toolbar's and status bar's height, about: the editor is made the frame's height and this.
const CHROME_GUESS = 120;
// The last fit's measure of them, with the window width it was taken at: in a narrow window the
// toolbar wraps onto more rows, and a guess that is short makes the first fit resize the editor
// and lay it out a second time before its first frame.
const CHROME_KEY = 'corvel.editor.chrome';

function rememberedChrome(storage) {
  try {
    const kept = JSON.parse(storage.getItem(CHROME_KEY));
    if (kept && kept.width === window.innerWidth && kept.chrome > 0) return kept.chrome;
  } catch (e) {
    // unreadable or absent: the guess serves
  }
  return CHROME_GUESS;
}

function remember(storage, chrome) {
  const kept = JSON.stringify({ width: window.innerWidth, chrome: chrome });
  try {
    if (storage.getItem(CHROME_KEY) !== kept) storage.setItem(CHROME_KEY, kept);
  } catch (e) {
    // a full or refused storage costs only the next start's guess
  }
}

function fit(editor, frameHeight, storage) {
  const container = editor.container;
  const chrome = container.offsetHeight - editor.workplace.offsetHeight;
  if (storage) remember(storage, chrome);
  const top = container.getBoundingClientRect().top + window.scrollY;
  const available = window.innerHeight - top - PAGE_MARGIN;
  const height = Math.max(frameHeight + chrome, Math.floor(available));
  if (Math.abs(container.offsetHeight - height) > 1) editor.e.fire('setHeight', height);
}

// The height to make the editor with, before it exists: what the window leaves under where it
// will stand (its textarea), so that the fit before the first paint finds nothing to change
// and Jodit lays its workplace out once.
function initialHeight(textarea, frameHeight, storage) {
  const top = textarea.getBoundingClientRect().top + window.scrollY;
  const chrome = storage ? rememberedChrome(storage) : CHROME_GUESS;
  return Math.max(frameHeight + chrome, Math.floor(window.innerHeight - top - PAGE_MARGIN));
}

// The caret at the very end of the article, in the last block (a new paragraph after a
// final table or list, so that typing lands in body text).
function caretAtEnd(editor) {
  const body = editor.editor;
  let last = body.lastElementChild;
  if (!last || /^(TABLE|UL|OL|HR)$/.test(last.nodeName) || last.hasAttribute('contenteditable')) {
    last = editor.createInside.element('p');
    last.appendChild(editor.createInside.element('br'));
    body.appendChild(last);
  }
  editor.s.focus();
  editor.s.setCursorIn(last, false);
}

function clickBelowText(editor) {
  const doc = editor.ed;
  doc.addEventListener('mousedown', function (event) {
    if (event.button !== 0) return;
    const body = editor.editor;
    if (event.target !== body && event.target !== doc.documentElement) return;
    const last = body.lastElementChild;
    const bottom = last ? last.getBoundingClientRect().bottom : 0;
    if (event.clientY <= bottom) return;
    event.preventDefault();
    caretAtEnd(editor);
  });
}

// storage: where the chrome's measure is kept for the next start (optional).
function attach(editor, frameHeight, storage) {
  const refit = () => fit(editor, frameHeight, storage);
  window.addEventListener('resize', refit);
  editor.e.on('afterUpdateToolbar toggleFullSize', () => setTimeout(refit, 0));
  // Notices above the editor change where it starts.
  const notices = document.getElementById('corvel-notices');
  if (notices && window.MutationObserver) new MutationObserver(refit).observe(notices, { childList: true });
  // A toolbar that wraps onto more rows (a narrower window) takes height from the area. Each
  // refit waits for the next task: done inside the observer, a new height that shows or hides
  // the page's scroll bar rewraps the toolbar in the same frame, which the browser reports as
  // an error.
  // The status bar, shown once the count is added to it, takes height from the editing area
  // itself, so the area is watched too; a refit that changes nothing ends the round.
  if (window.ResizeObserver) {
    const observer = new ResizeObserver(() => setTimeout(refit, 0));
    observer.observe(editor.toolbarContainer);
    observer.observe(editor.workplace);
  }
  clickBelowText(editor);
  // The caller fits once the page's own parts are in place: one layout before the first paint.
  return refit;
}

export { attach, caretAtEnd, initialHeight, CHROME_GUESS };
