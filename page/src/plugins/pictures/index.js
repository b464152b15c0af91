// Every image that arrives in the editor (pasted, dropped, uploaded, inserted, opened) is
// stored by the program, and the article refers to its address; a stored image whose file has
// gone, or a web picture that cannot be fetched, shows a red frame and a lasting notice, never
// a silent broken icon.
import { parseFragment } from '../../core/html.js';
import { bytesToBase64, storeImages } from './article-images.js';
import { uploadFiles } from './picture-files.js';

const readBlob = async function (src) {
  const blob = await (await fetch(src)).blob();
  return { mime: blob.type, base64: bytesToBase64(new Uint8Array(await blob.arrayBuffer())) };
};

// A stored picture whose file has gone gets a red frame and a lasting notice; so does a web
// picture that cannot be fetched (offline), which keeps its address for when it can.
function watchPictures(frameDocument, board) {
  const stored = (node) => /^corvel-article:/i.test(node.getAttribute('src') || '');
  const remote = (node) => /^https?:/i.test(node.getAttribute('src') || '');
  const watched = (node) => node && node.tagName === 'IMG' && (stored(node) || remote(node));
  frameDocument.addEventListener('error', function (event) {
    const img = event.target;
    if (!watched(img)) return;
    if (stored(img)) {
      img.setAttribute('data-corvel-mark', 'broken-image');
      board.show('broken-image', '有图片文件缺失，无法显示（已用红框标出），复制和导出时会缺少这些图片。');
    } else {
      img.setAttribute('data-corvel-mark', 'remote-image');
      board.show('remote-image', '有网络图片无法读取（可能没有联网），已用红框标出并保留原地址，联网后即可显示。');
    }
  }, true);
  // The frame goes again if the picture loads after all.
  frameDocument.addEventListener('load', function (event) {
    if (watched(event.target) && event.target.hasAttribute('data-corvel-mark')) event.target.removeAttribute('data-corvel-mark');
  }, true);
}

export default {
  name: 'corvelPictures',

  install(page) {
    const busy = new WeakSet();
    const store = function (base64, mime) {
      const id = page.host ? page.session.currentId() : null;
      // Outside the program, or before a draft exists, the picture waits as a data: address.
      if (id === null) return { ok: true, url: 'data:' + mime + ';base64,' + base64 };
      return page.host.storeImage(id, base64, mime);
    };
    // The address only makes Jodit take dropped and pasted files; nothing is ever sent to it.
    page.joditOptions.uploader = {
      url: 'corvel-article:upload',
      imagesExtensions: ['jpg', 'jpeg', 'png', 'gif', 'webp', 'bmp'],
      customUploadFunction: async function (form) {
        const answer = await uploadFiles(form, store);
        if (answer.success && answer.data.messages.length) page.notices.flash(answer.data.messages.join('；'), 10000);
        return answer;
      },
    };
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
    watchPictures(page.jodit.ed, page.notices);
    if (page.host) page.jodit.e.on('change', () => page.storeImages());
  },
};
