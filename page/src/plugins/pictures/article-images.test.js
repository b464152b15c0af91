// Every image that reaches the article is stored by the host and referred to by the address
// it returns; what cannot be had becomes a visible placeholder. Copies inline them again.
import test from 'node:test';
import assert from 'node:assert/strict';
import * as images from './article-images.js';
import { uploadFiles } from './picture-files.js';
import { eachTextNode } from '../../core/rules.js';
import { formatNode } from '../formatting/formatter.js';
import { bodyOf, fakeHost, fixture } from '../../testing/index.js';

const PNG = 'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==';
const WORD_FILE = 'file:///C:/Users/a/AppData/Local/Temp/msohtmlclip1/01/clip_image002.png';

test('each way an image arrives is stored, or replaced by a placeholder', async (t) => {
  for (const [name, src, failure, expected, placeholder] of fixture('image_arrivals').arrivals) {
    await t.test(name, async () => {
      const f = fakeHost({ localFiles: { [WORD_FILE]: { base64: PNG, mime: 'image/png' } } });
      if (failure) f.fail.storeImage = failure;
      const body = bodyOf(`<p>前<img src="${src.replace(/"/g, '&quot;')}" alt="图">后</p>`);
      const report = await images.storeImages(body, f.host, 'a1');
      const img = body.querySelector('img');
      if (expected) {
        assert.match(img.getAttribute('src'), new RegExp(expected));
        assert.equal(report.missing.length, 0);
      } else {
        assert.equal(img, null);
        const mark = body.querySelector('[data-corvel-mark="missing-image"]');
        assert.equal(mark.textContent, placeholder);
        assert.equal(report.missing.length, 1);
        assert.match(mark.getAttribute('title'), /^图片无法保存：/);
        if (failure) assert.ok(mark.getAttribute('title').includes(failure), 'the host\'s reason is shown');
      }
    });
  }
});

test('an image removed or replaced while it was being stored is left alone', async () => {
  const f = fakeHost();
  const body = bodyOf(`<p><img src="data:image/png;base64,${PNG}"></p>`);
  const img = body.querySelector('img');
  const pending = images.storeImages(body, f.host, 'a1');
  img.setAttribute('src', 'https://example.com/b.png');
  const report = await pending;
  assert.equal(img.getAttribute('src'), 'https://example.com/b.png');
  assert.deepEqual([report.stored, report.missing.length], [0, 0]);
  // An image already on its way is not sent a second time.
  const busy = new WeakSet([img]);
  img.setAttribute('src', `data:image/png;base64,${PNG}`);
  await images.storeImages(body, f.host, 'a1', { busy });
  assert.equal(f.calls.filter((c) => c[0] === 'storeImage').length, 1);
});

test('copies inline each stored image once and count what is missing', async () => {
  const f = fakeHost();
  const { url } = await f.host.storeImage('a1', PNG, 'image/png');
  const body = bodyOf(`<p><img src="${url}"><img src="${url}"><img src="corvel-article://a1/gone.png">` +
    '<span data-corvel-mark="missing-image">［图片缺失］</span><img src="https://example.com/c.png"></p>');
  assert.equal(await images.inlineImages(body, f.host), 2);
  const srcs = [...body.querySelectorAll('img')].map((i) => i.getAttribute('src'));
  assert.deepEqual(srcs, [`data:image/png;base64,${PNG}`, `data:image/png;base64,${PNG}`, 'corvel-article://a1/gone.png', 'https://example.com/c.png']);
  assert.equal(f.calls.filter((c) => c[0] === 'readImage' && c[1] === url).length, 1);
});

test('image alt text goes through the same conversion and corrections as the text', () => {
  const convert = (text) => text.replace(/软件/g, '軟體');
  const body = bodyOf('<p>软件<img src="a.png" alt="软件截图"><img src="b.png"></p>');
  eachTextNode(body, convert);
  assert.equal(body.innerHTML, '<p>軟體<img src="a.png" alt="軟體截图"><img src="b.png"></p>');
  const formatted = formatNode(bodyOf('<p><img src="a.png" alt="软件截图"></p>'), { transformText: convert });
  assert.match(formatted, /alt="軟體截图"/);
});

test('picture files given to the editor are stored by the host; other files are refused', async () => {
  for (const [name, type, failure, expected] of fixture('image_arrivals').files) {
    const f = fakeHost();
    f.fail.storeImage = failure;
    const form = new Map([['files[0]', new File([Buffer.from(PNG, 'base64')], name, { type })]]);
    const { success, data } = await uploadFiles(form, (base64, mime) => f.host.storeImage('a1', base64, mime));
    assert.equal(success ? data.files[0].replace(/[0-9a-f]+\./, 'N.') : data.messages[0], expected, name);
  }
});

test('data: addresses', () => {
  for (const [src, expected] of fixture('image_arrivals').dataUrls) assert.deepEqual(images.parseDataUrl(src), expected, src);
});
