// 预览: the article exactly as a profile writes it, at a phone's width (375 px) or the 公众号
// editor's (578 px), in a shadow root so that neither the page's nor the editor's styles reach it.
import { escapeHtml } from '../../core/html.js';

const WIDTHS = [[375, '手机（375像素）'], [578, '公众号编辑器（578像素）']];
const ID = 'corvel-preview';

function button(doc, text, onClick) {
  const b = doc.createElement('button');
  b.textContent = text;
  b.addEventListener('click', onClick);
  return b;
}

// profiles: [[key, name]]; write(key) gives {html, text} for that profile.
function showPreview(doc, profiles, write) {
  closePreview(doc);
  const box = doc.createElement('div');
  box.id = ID;
  const bar = doc.createElement('div');
  bar.className = 'corvel-preview-bar';
  const sheet = doc.createElement('div');
  sheet.className = 'corvel-preview-sheet';
  const root = sheet.attachShadow({ mode: 'open' });
  let profile = profiles[0][0];
  let width = WIDTHS[0][0];
  const render = function () {
    const out = write(profile);
    sheet.style.width = width + 'px';
    const content = out.html !== null ? out.html : '<pre style="white-space:pre-wrap;font:inherit;margin:0">' + escapeHtml(out.text) + '</pre>';
    root.innerHTML = '<style>:host{all:initial;display:block;font-family:"Noto Sans CJK SC",sans-serif;font-size:16px;color:#333;}' +
      'img{max-width:100%;}</style>' + content;
    for (const b of bar.querySelectorAll('button[data-choice]')) b.classList.toggle('corvel-chosen', b.dataset.choice === profile || b.dataset.choice === String(width));
  };
  for (const [key, name] of profiles) {
    const b = button(doc, name, () => { profile = key; render(); });
    b.dataset.choice = key;
    bar.appendChild(b);
  }
  for (const [px, name] of WIDTHS) {
    const b = button(doc, name, () => { width = px; render(); });
    b.dataset.choice = String(px);
    bar.appendChild(b);
  }
  bar.appendChild(button(doc, '关闭', () => closePreview(doc)));
  box.append(bar, sheet);
  doc.body.appendChild(box);
  render();
  return box;
}

function closePreview(doc) {
  const old = doc.getElementById(ID);
  if (old) old.remove();
}

export { showPreview, closePreview, WIDTHS };
