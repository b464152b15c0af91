// Images in an article are files kept by the program: every other address (data:, a Word
// paste's file:, a blob:) is handed to the host and replaced by the address it returns. An
// image that cannot be had becomes a visible placeholder. For copying and exporting, stored
// images are read back and inlined as data: addresses.
import { errorText } from '../../core/host-bridge.js';

const STORED = /^corvel-article:/i;
const REMOTE = /^https?:/i;
const MISSING_MARK = 'missing-image';

function bytesToBase64(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) {
    binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  }
  return btoa(binary);
}

// {mime, base64} of a data: address, or null when it is not one.
function parseDataUrl(src) {
  const m = /^data:([^;,]*)((?:;[^;,]*)*),([\s\S]*)$/i.exec(src);
  if (!m) return null;
  const mime = (m[1] || 'text/plain').toLowerCase();
  if (/;base64/i.test(m[2])) return { mime: mime, base64: m[3].replace(/\s+/g, '') };
  let text;
  try {
    text = decodeURIComponent(m[3]);
  } catch (e) {
    return null;
  }
  return { mime: mime, base64: bytesToBase64(new TextEncoder().encode(text)) };
}

function shortName(src) {
  const name = String(src).split(/[\\/]/).pop() || '';
  return name.length > 40 || /^data:/i.test(src) ? '' : name;
}

// Puts a visible placeholder where an image could not be had.
function replaceWithPlaceholder(img, reason) {
  const doc = img.ownerDocument;
  const mark = doc.createElement('span');
  mark.setAttribute('data-corvel-mark', MISSING_MARK);
  mark.setAttribute('title', reason);
  const name = shortName(img.getAttribute('src') || '');
  mark.textContent = '［图片缺失' + (name ? '：' + name : '') + '］';
  img.parentNode.replaceChild(mark, img);
}

function needsStoring(src) {
  return src !== '' && !STORED.test(src) && !REMOTE.test(src);
}

// Asks the host to keep the image at `src`; resolves to {ok, url} or {ok:false, error}.
async function storeOne(src, host, id, readBlob) {
  if (/^file:/i.test(src)) return host.importLocalImage(id, src);
  let data = /^data:/i.test(src) ? parseDataUrl(src) : null;
  if (/^blob:/i.test(src) && readBlob) data = await readBlob(src);
  if (!data) return { ok: false, error: '图片地址无法读取' };
  if (!/^image\//.test(data.mime)) return { ok: false, error: '不是图片' };
  return host.storeImage(id, data.base64, data.mime);
}

// Stores every image below root that is not stored yet. `busy` (a WeakSet) keeps an image
// that is already on its way from being sent twice. Resolves to {stored, missing: [reasons]}.
async function storeImages(root, host, id, options) {
  const opts = options || {};
  const busy = opts.busy || new WeakSet();
  const images = Array.prototype.slice.call(root.querySelectorAll('img'));
  const report = { stored: 0, missing: [] };
  await Promise.all(images.map(async function (img) {
    const src = (img.getAttribute('src') || '').trim();
    if (!needsStoring(src) || busy.has(img)) return;
    busy.add(img);
    let result;
    try {
      result = await storeOne(src, host, id, opts.readBlob);
    } catch (e) {
      result = { ok: false, error: errorText(e) };
    }
    busy.delete(img);
    // The user may have removed or replaced the image meanwhile.
    if (!img.parentNode || (img.getAttribute('src') || '').trim() !== src) return;
    if (result.ok && result.url) {
      img.setAttribute('src', result.url);
      report.stored++;
    } else {
      const reason = '图片无法保存：' + (result.error || '未知原因');
      replaceWithPlaceholder(img, reason);
      report.missing.push(reason);
    }
  }));
  return report;
}

// Inlines every stored image below root as a data: address. Resolves to the number of
// images that are missing: unreadable stored ones and earlier placeholders.
async function inlineImages(root, host) {
  const cache = new Map();
  let missing = root.querySelectorAll('[data-corvel-mark="' + MISSING_MARK + '"]').length;
  const images = Array.prototype.slice.call(root.querySelectorAll('img'));
  await Promise.all(images.map(async function (img) {
    const src = img.getAttribute('src') || '';
    if (!STORED.test(src)) return;
    if (!cache.has(src)) cache.set(src, host.readImage(src));
    const result = await cache.get(src);
    if (result.ok && result.base64) img.setAttribute('src', 'data:' + (result.mime || 'image/png') + ';base64,' + result.base64);
    else missing++;
  }));
  return missing;
}

export { storeImages, inlineImages, parseDataUrl, bytesToBase64, needsStoring, MISSING_MARK };
