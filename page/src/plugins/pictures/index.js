// Every image that arrives in the editor (pasted, dropped, inserted, opened) is stored by the
// program, and the article refers to its address; a stored image whose file has gone shows a
// red frame and a lasting notice, never a silent broken icon.
import { parseFragment } from '../../core/html.js';
import { bytesToBase64, storeImages } from './article-images.js';

const readBlob = async function (src) {
  const blob = await (await fetch(src)).blob();
  return { mime: blob.type, base64: bytesToBase64(new Uint8Array(await blob.arrayBuffer())) };
};

function watchStoredImages(frameDocument, board) {
  const stored = (node) => node && node.tagName === 'IMG' && /^corvel-article:/i.test(node.getAttribute('src') || '');
  frameDocument.addEventListener('error', function (event) {
    if (!stored(event.target)) return;
    event.target.setAttribute('data-corvel-mark', 'broken-image');
    board.show('broken-image', '有图片文件缺失，无法显示（已用红框标出），复制和导出时会缺少这些图片。');
  }, true);
  // The frame goes again if the image loads after all.
  frameDocument.addEventListener('load', function (event) {
    if (stored(event.target) && event.target.hasAttribute('data-corvel-mark')) event.target.removeAttribute('data-corvel-mark');
  }, true);
}

export default {
  name: 'corvelPictures',

  install(page) {
    const busy = new WeakSet();
    const flashMissing = (report) => page.notices.flash(report.missing.length + '张图片无法读取，已换成“图片缺失”标记：' + report.missing[0], 10000);
    // The pictures of `html` stored in article `id` before it is shown (an opened file).
    page.holdPictures = async function (id, html) {
      const root = parseFragment(html);
      const report = await storeImages(root, page.host, id, { readBlob: readBlob });
      if (report.missing.length) flashMissing(report);
      return root.innerHTML;
    };
    page.storeImages = async function () {
      if (!page.host) return;
      const id = page.session.currentId();
      const area = page.jodit.editor;
      if (id === null || !area) return;
      const report = await storeImages(area, page.host, id, { busy: busy, readBlob: readBlob });
      if (report.stored === 0 && report.missing.length === 0) return;
      page.jodit.synchronizeValues();
      page.session.changed();
      if (report.missing.length) flashMissing(report);
    };
  },

  start(page) {
    if (!page.host) return;
    page.jodit.e.on('change', () => page.storeImages());
    watchStoredImages(page.jodit.ed, page.notices);
  },
};
