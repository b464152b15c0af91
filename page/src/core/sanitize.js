// The one gate for HTML that comes from outside the page: settings values, pastes, opened
// files, drafts and history. DOMPurify does the parsing and the allow-list (it is widely
// audited and follows the browser's own parser, mutation tricks included); the rules below
// narrow it to what an article needs.
import createDOMPurify from 'dompurify';

// Allowed on top of DOMPurify's HTML profile: nothing. Taken away from it:
const FORBIDDEN_TAGS = ['style', 'form', 'input', 'button', 'select', 'option', 'optgroup', 'textarea', 'label',
  'fieldset', 'legend', 'datalist', 'output', 'meter', 'progress', 'dialog', 'details', 'summary',
  'audio', 'video', 'source', 'track', 'picture', 'template', 'slot', 'meta', 'base', 'link'];
const FORBIDDEN_ATTRS = ['action', 'formaction', 'srcset', 'background', 'poster', 'xlink:href', 'ping', 'target'];

// Addresses an attribute may hold: web, mail, the program's stored pictures, a Word paste's
// local pictures, page-relative ones. Which of them fits which attribute is narrowed below.
const ADDRESS = /^(?:(?:https?|mailto|corvel-article|file|blob):|[^a-z]|[a-z+.-]+(?:[^a-z+.\-:]|$))/i;
const LINK = /^(?:(?:https?|mailto):|[^a-z]|[a-z+.-]+(?:[^a-z+.\-:]|$))/i;
const RASTER = /^data:image\/(?:png|jpe?g|gif|webp|bmp);/i;
// A style declaration that could fetch or run anything; escapes could spell one in disguise.
const UNSAFE_CSS = /url\s*\(|image-set\s*\(|expression\s*\(|@import|behavior\s*:|-moz-binding|\\/i;

function safeStyle(style) {
  return style.split(';').filter((rule) => !UNSAFE_CSS.test(rule)).join(';');
}

// DOMPurify has decoded entities before this sees a value, and checks every address against
// ADDRESS afterwards with control characters and spaces taken out.
function narrow(node, data) {
  const value = data.attrValue;
  if (data.attrName === 'style') data.attrValue = safeStyle(value);
  else if (data.attrName === 'href') data.keepAttr = LINK.test(value.replace(/[\u0000-\u0020]/g, ''));
  else if (data.attrName === 'src') data.keepAttr = node.nodeName === 'IMG' && (!/^\s*data:/i.test(value) || RASTER.test(value));
}

// A lazy-loaded picture keeps its real address in one of these (or in srcset) and a
// placeholder, or nothing, in src; the real one is taken before srcset is dropped.
const LAZY_ATTRS = ['data-src', 'data-original', 'data-actualsrc'];
const PICTURE_ADDRESS = /^(?:https?:)?\/\/|^[^:]+$/i;

// The widest (or densest) candidate of a srcset.
function widest(srcset) {
  let best = null;
  for (const candidate of String(srcset || '').split(/,\s+/)) {
    const [address, size] = candidate.trim().split(/\s+/);
    const n = parseFloat(size) || 1;
    if (address && PICTURE_ADDRESS.test(address) && (!best || n > best.n)) best = { address, n };
  }
  return best && best.address;
}

function takeRealAddress(node) {
  if (node.nodeName !== 'IMG') return;
  const src = (node.getAttribute('src') || '').trim();
  const lazy = LAZY_ATTRS.map((name) => (node.getAttribute(name) || '').trim()).find((v) => PICTURE_ADDRESS.test(v));
  const real = lazy || (src === '' || /^data:/i.test(src) ? widest(node.getAttribute('srcset')) : null);
  for (const name of LAZY_ATTRS) node.removeAttribute(name);
  if (real) node.setAttribute('src', real.replace(/^\/\//, 'https://'));
}

const CONFIG = {
  USE_PROFILES: { html: true },
  FORBID_TAGS: FORBIDDEN_TAGS,
  FORBID_ATTR: FORBIDDEN_ATTRS,
  ALLOWED_URI_REGEXP: ADDRESS,
  ALLOW_DATA_ATTR: true, // the page's own data-corvel-* marks
  ALLOW_ARIA_ATTR: false,
  ALLOW_UNKNOWN_PROTOCOLS: false,
};

let purifier = null;
let windowFor = () => globalThis.window;
// The last text this gate let out. It comes back when the editor is made with a sanitized draft
// (Jodit hands its first value to the gate once more), and passes unchanged without a second
// parse: on a long draft that parse is the larger part of opening it.
let lastOut = null;

// The DOM to sanitize with, made when first needed: the page's own window, or a test's.
function useWindow(makeWindow) {
  windowFor = makeWindow;
  purifier = null;
  lastOut = null;
}

// html from outside, as HTML that holds no script, handler, form, frame or foreign address.
function sanitizeHtml(html) {
  if (!purifier) {
    // The module's own instance is already made for the page's window; a test's needs one.
    const win = windowFor();
    purifier = win === globalThis.window && createDOMPurify.isSupported ? createDOMPurify : createDOMPurify(win);
    if (!purifier.isSupported) throw new Error('the HTML sanitizer needs a DOM');
    purifier.addHook('uponSanitizeAttribute', narrow);
    purifier.addHook('uponSanitizeElement', takeRealAddress);
    // Set once: given with each call, the configuration's lists are rebuilt every time.
    purifier.setConfig(CONFIG);
  }
  const text = String(html == null ? '' : html);
  if (text === lastOut) return text;
  lastOut = purifier.sanitize(text);
  return lastOut;
}

export { sanitizeHtml, useWindow };
