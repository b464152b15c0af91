// Opened files become article HTML and the article goes out as .docx, .html and .txt. Word
// files are made here with the docx package and read back with mammoth, as the page does.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fakeHost, packages, fixture } from '../../testing/index.js';
const docx = packages('docx');
const mammoth = packages('mammoth');
const JSZip = packages('jszip');
const reading = { mammoth, JSZip };
import * as files from './article-files.js';
import { inlineImages } from '../pictures/article-images.js';
import { plainText } from '../formatting/formatter.js';

const PNG_2x3 = Buffer.from(
  'iVBORw0KGgoAAAANSUhEUgAAAAIAAAADCAYAAAC56t6BAAAAEklEQVR4nGP8z8DwnwEIGGEMAD3hAv7ATfoBAAAAAElFTkSuQmCC', 'base64');

async function docxBase64(children) {
  return docx.Packer.toBase64String(new docx.Document({
    numbering: { config: [{ reference: 'n', levels: [{ level: 0, format: docx.LevelFormat.DECIMAL, text: '%1.' }] }] },
    sections: [{ children }],
  }));
}

test('an opened .docx keeps headings, bold, lists, tables and images', async () => {
  const base64 = await docxBase64([
    new docx.Paragraph({ heading: docx.HeadingLevel.HEADING_1, children: [new docx.TextRun('新品发布')] }),
    new docx.Paragraph({ children: [new docx.TextRun({ text: '重点', bold: true }), new docx.TextRun('内容')] }),
    new docx.Paragraph({ numbering: { reference: 'n', level: 0 }, children: [new docx.TextRun('第一条')] }),
    new docx.Table({ rows: [new docx.TableRow({ children: [new docx.TableCell({ children: [new docx.Paragraph('单元格')] })] })] }),
    new docx.Paragraph({ children: [new docx.ImageRun({ type: 'png', data: PNG_2x3, transformation: { width: 2, height: 3 } })] }),
  ]);
  const { html } = await files.readOpenedFile({ kind: 'docx', base64 }, reading);
  const body = bodyOf(html);
  assert.deepEqual(['h1', 'strong', 'ol li', 'table td'].map((q) => body.querySelector(q).textContent), ['新品发布', '重点', '第一条', '单元格']);
  assert.equal(body.querySelector('img').getAttribute('src'), 'data:image/png;base64,' + PNG_2x3.toString('base64'));
});

test('a damaged .docx is refused, not opened as an empty article', async () => {
  await assert.rejects(files.readOpenedFile({ kind: 'docx', base64: Buffer.from('not a zip').toString('base64') }, reading));
});

test('opened web pages and text files', async () => {
  for (const [file, expected] of fixture('opened_files').opened) {
    assert.equal((await files.readOpenedFile(file, reading)).html, expected, file.text);
  }
});

// Reading the body must stay linear: 1 MB of "<body" took minutes with a backtracking search.
test('a web page of "<body" repeated opens', { timeout: 20000 }, async () => {
  const { html } = await files.readOpenedFile({ kind: 'html', text: '正文' + '<body'.repeat(200000) }, reading);
  assert.equal(html, '正文');
});

// An article with a stored image, as the editor holds it.
async function storedArticle() {
  const f = fakeHost();
  const { url } = await f.host.storeImage('a1', PNG_2x3.toString('base64'), 'image/png');
  const html = '<h2>标题</h2><p style="text-align:center"><strong>居中粗体</strong></p><p>　　正文段落</p>' +
    '<p>　　<strong>粗体开头</strong>的段落</p>' +
    `<p style="text-align:center"><img src="${url}" alt="配图"></p><ul><li>要点</li></ul>`;
  return { f, html, url };
}

test('.docx export keeps headings, paragraphs, bold, alignment, the paragraph blank and images', async () => {
  const { f, html } = await storedArticle();
  const body = bodyOf(html);
  assert.equal(await inlineImages(body, f.host), 0);
  const base64 = await files.wordDocument(body, docx);
  const buffer = Buffer.from(base64, 'base64');
  const back = bodyOf((await mammoth.convertToHtml({ buffer })).value);
  assert.deepEqual(['h2', 'strong', 'ul li'].map((q) => back.querySelector(q).textContent), ['标题', '居中粗体', '要点']);
  const texts = [...back.querySelectorAll('p')].map((p) => p.textContent);
  assert.ok(texts.includes('　　正文段落'), 'paragraph blank kept');
  assert.ok(texts.includes('　　粗体开头的段落'), 'paragraph blank kept before bold text');
  assert.equal(back.querySelector('img').getAttribute('src'), 'data:image/png;base64,' + PNG_2x3.toString('base64'));
  // mammoth does not read alignment: look at the Word XML itself.
  const xml = await (await JSZip.loadAsync(buffer)).file('word/document.xml').async('string');
  assert.equal((xml.match(/<w:jc w:val="center"\/>/g) || []).length, 2);
  assert.match(xml, /cx="19050" cy="28575"/, 'the image keeps its 2x3 pixel size');
});

test('.html export is self-contained and .txt export marks each image', async () => {
  const { f, html, url } = await storedArticle();
  const body = bodyOf(html + '<span data-corvel-mark="missing-image" title="x">［图片缺失］</span>');
  assert.equal(await inlineImages(body, f.host), 1, 'the placeholder counts as missing');
  const page = files.selfContainedHtml(body, '标题<1>');
  assert.match(page, /^<!DOCTYPE html>/);
  assert.match(page, /<title>标题&lt;1&gt;<\/title>/);
  assert.ok(!page.includes(url) && page.includes('src="data:image/png;base64,'));

  const table = '<table><tr><th>序号</th><th>项目<br>名称</th></tr><tr><td>1</td><td><p>甲</p><table><tr><td>乙</td></tr></table></td></tr></table>';
  const text = files.plainTextWithImages(bodyOf(html + '<p>尾<span data-corvel-mark="missing-image">［图片缺失］</span></p>' + table), plainText);
  assert.equal(text, '标题\n居中粗体\n　　正文段落\n　　粗体开头的段落\n[图片]\n要点\n尾\n[图片]\n序号\t项目 名称\n1\t甲 乙');
});

test('image sizes from file headers, and file names from titles', () => {
  for (const [base64, size] of fixture('opened_files').imageSizes) {
    assert.deepEqual(files.imageSize(new Uint8Array(Buffer.from(base64, 'base64'))), size, base64);
  }
  assert.equal(files.fileName('报道：新品/发布?', 'docx'), '报道：新品_发布_.docx');
  assert.equal(files.fileName('  ', 'txt'), '文章.txt');
});
