#!/usr/bin/env bash
# Takes docs/article-list.png, docs/article-history.png and docs/opened-docx.png: the built
# page on the tests' in-memory article store (a few drafts, a history, a small Word file
# made here with the docx package), in a 1000x700 view under Xvfb.
#   tests/page/make_article_screenshots.sh <build dir>
set -euo pipefail
build=$(realpath "${1:-build}")
here=$(cd "$(dirname "$0")" && pwd)
docs="$here/../../docs"
viewer="$build/tests/page/editor_page_viewer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"

cat >"$work/drafts.js" <<'JS'
corvelFake.migrated = true;
corvelFake.tick(Date.now() - corvelFake.now() - 3 * 86400000);
const drafts = [
  ['春季新品发布会在沪举行', '<p>　　春季新品发布会在沪举行</p><p>　　本次发布会共推出三款新品。</p>', 7200000],
  ['公司年会圆满落幕', '<p>　　公司年会圆满落幕</p><p>　　年会上，董事长回顾了一年来的发展。</p>', 86400000],
  ['关于调整营业时间的公告', '<p>　　关于调整营业时间的公告</p>', 3600000],
  ['智慧城市论坛：数字化转型的下一步', '<p>　　智慧城市论坛：数字化转型的下一步</p><p>　　与会专家认为……</p>', 5400000],
  ['第三季度业绩简报', '<p>　　第三季度业绩简报</p><p>　　营业收入同比增长百分之十二。</p>', 600000],
];
for (const [title, html, later] of drafts) {
  corvelFake.tick(later);
  corvelFake.host.createArticle(html, title);
}
const newest = [...corvelFake.articles.keys()].pop();
for (const [reason, html, later] of [['auto', '<p>　　第三季度业绩简报</p>', 0], ['format', '<p>第三季度业绩简报</p><p>营业收入同比增长12%。</p>', 900000],
  ['convert', '<p>　　第三季度业绩简报</p><p>　　营业收入同比增长百分之十二。</p>', 600000], ['auto', '<p>　　第三季度业绩简报</p><p>　　营业收入同比增长百分之十二，净利润……</p>', 700000]]) {
  corvelFake.tick(later);
  corvelFake.host.addSnapshot(newest, html, reason);
}
corvelFake.tick(Date.now() - corvelFake.now());
JS

# A small Word file with a heading, bold text, a list, a table and an image.
NODE_PATH="$build/page/npm/node_modules" node - "$work/open.js" <<'NODE'
const docx = require('docx');
const fs = require('fs');
const png = Buffer.from('iVBORw0KGgoAAAANSUhEUgAAADAAAAAgCAIAAADbt/n8AAAAOklEQVR42u3OQQ0AAAgEoNu8DTfNHNuAgpT6YwSCg4ODg4ODg4ODg4ODg4ODg4ODg4ODg4ODg4ODf29sUcGApO7PpgAAAABJRU5ErkJggg==', 'base64');
const cell = (t) => new docx.TableCell({ children: [new docx.Paragraph(t)] });
const doc = new docx.Document({ sections: [{ children: [
  new docx.Paragraph({ heading: docx.HeadingLevel.HEADING_1, children: [new docx.TextRun('新品上市通稿')] }),
  new docx.Paragraph({ children: [new docx.TextRun({ text: '重点：', bold: true }), new docx.TextRun('本周五起全国门店同步发售。')] }),
  new docx.Paragraph({ bullet: { level: 0 }, children: [new docx.TextRun('续航提升百分之三十')] }),
  new docx.Paragraph({ bullet: { level: 0 }, children: [new docx.TextRun('重量减轻五十克')] }),
  new docx.Table({ rows: [new docx.TableRow({ children: [cell('型号'), cell('售价')] }), new docx.TableRow({ children: [cell('标准版'), cell('2999元')] })] }),
  new docx.Paragraph({ children: [new docx.ImageRun({ type: 'png', data: png, transformation: { width: 240, height: 160 } })] }),
  new docx.Paragraph('产品外观图'),
] }] });
docx.Packer.toBase64String(doc).then((base64) => fs.writeFileSync(process.argv[2],
  `corvelFake.migrated = true;\ncorvelFake.host.chooseOpenFile = async () => ({ ok: true, cancelled: false, kind: 'docx', name: '新品上市通稿.docx', base64: '${base64}' });\n`));
NODE

cp -r "$build/bin/." "$work/app/" 2>/dev/null || { mkdir -p "$work/app" && cp -r "$build/bin/." "$work/app/"; }
click() { echo "document.querySelector('.jodit-toolbar-button_$1 button').click();"; }
click corvelArticles >"$work/list-action.js"
click corvelHistory >"$work/history-action.js"
echo "corvelEditor.articles.openFile();" >"$work/open-action.js"
: >"$work/empty.html"
shoot() { # <setup> <action> <shot>
  xvfb-run -a -s "-screen 0 1000x700x24" "$viewer" "$work/app/index.html" "$work/empty.html" "$docs/$3" "$work/$1" "$work/$2"
}
shoot drafts.js list-action.js article-list.png
shoot drafts.js history-action.js article-history.png
shoot open.js open-action.js opened-docx.png
