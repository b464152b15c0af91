// What of a Word file survives opening it and the .docx export round trip, per file and in
// total, measured against the file's own XML; and how long opening and exporting take, each
// against a yardstick in the same run (opening as before: mammoth and the sanitizer; the
// docx package given the same runs and pictures directly).
//
//   node --import ./page/src/testing/packages.js bench/page/docx-fidelity.mjs [files…]
//        [--floors tests/data/docx_fidelity_floors.json]   check no column falls below its floor
//                                                          (its files, when none are named)
//        [--speed]                                         the timings too
import fs from 'node:fs';
import path from 'node:path';
import { bodyOf, packages, repo } from '../../page/src/testing/index.js';
import { readWordFile, styleTable } from '../../page/src/plugins/files/docx-reader.js';
import { wordDocument } from '../../page/src/plugins/files/article-files.js';
import { articleCounts } from '../../page/src/testing/word-files.js';
import { sanitizeHtml } from '../../page/src/core/sanitize.js';

const mammoth = packages('mammoth');
const docx = packages('docx');
const JSZip = packages('jszip');
const CORPUS = path.join(repo, 'tests/data/corpus/docx');
const COLUMNS = ['chars', 'tables', 'merged', 'headings', 'levels', 'lists', 'pictures', 'notes', 'aligned', 'inline'];
const INLINE = { b: 'bold', i: 'italic', u: 'underline', strike: 'strike', dstrike: 'strike' };
const ALIGNED = /^(center|right|end|both|distribute)$/;

const decode = (s) => s.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"').replace(/&apos;/g, "'").replace(/&amp;/g, '&');
const on = (rPr, name) => new RegExp('<w:' + name + '(?:/>|\\s(?![^>]*w:val="(?:false|0|none)")[^>]*>)').test(rPr);

function charCounts(text) {
  const counts = new Map();
  for (const c of text.replace(/\s+/g, '')) counts.set(c, (counts.get(c) || 0) + 1);
  return counts;
}

// What the Word file holds, read from its XML.
async function expected(bytes) {
  const zip = await JSZip.loadAsync(bytes);
  const read = async (name) => (zip.file(name) ? zip.file(name).async('string') : '');
  const styles = styleTable(await read('word/styles.xml'));
  const notesXml = (await read('word/footnotes.xml')) + (await read('word/endnotes.xml'));
  // Deleted text, earlier properties of tracked changes and the fallback copy of text boxes are not shown.
  const xml = (await read('word/document.xml')).replace(/<w:del\b[^/]*?>[\s\S]*?<\/w:del>/g, '')
    .replace(/<w:(pPr|rPr|tblPr|tcPr|trPr|sectPr)Change\b[\s\S]*?<\/w:\1Change>/g, '').replace(/<mc:Fallback>[\s\S]*?<\/mc:Fallback>/g, '');
  const body = xml + notesXml.replace(/<w:(?:footnote|endnote) [^>]*w:type="(?:separator|continuationSeparator|continuationNotice)"[\s\S]*?<\/w:(?:footnote|endnote)>/g, '');
  const text = [...body.matchAll(/<w:t(?:\s[^>]*)?>([^<]*)<\/w:t>/g)].map((m) => decode(m[1])).join('');
  const levels = [];
  let aligned = 0;
  let lists = 0;
  for (const p of xml.matchAll(/<w:p[ >][\s\S]*?<\/w:p>/g)) {
    const pPr = (p[0].match(/<w:pPr>[\s\S]*?<\/w:pPr>/) || [''])[0];
    const style = styles[(pPr.match(/<w:pStyle w:val="([^"]*)"/) || [])[1] || ''] || {};
    const numbered = /<w:numId w:val="[1-9]/.test(pPr);
    const shown = /<w:t(?:\s[^>]*)?>[^<]*[^\s<]|<pic:pic\b/.test(p[0]);
    if (style.level && shown) levels.push(style.level);
    else if (numbered && shown) lists++;
    const jc = (pPr.match(/<w:jc w:val="([^"]*)"/) || [])[1] || style.align;
    if (ALIGNED.test(jc || '') && !numbered && shown) aligned++;
  }
  const inline = new Set();
  for (const r of body.matchAll(/<w:r>\s*<w:rPr>((?:(?!<\/w:rPr>)[\s\S])*)<\/w:rPr>\s*<w:t[ >]/g)) {
    for (const [name, kind] of Object.entries(INLINE)) if (on(r[1], name)) inline.add(kind);
    const v = (r[1].match(/<w:vertAlign w:val="(superscript|subscript)"/) || [])[1];
    if (v) inline.add(v === 'superscript' ? 'sup' : 'sub');
  }
  return {
    chars: charCounts(text),
    // Less the tables whose rows were all deleted as tracked changes.
    tables: (xml.match(/<w:tbl>/g) || []).length - [...xml.matchAll(/<w:tbl>[\s\S]*?<\/w:tbl>/g)].filter(([t]) =>
      (t.match(/<w:tr[ >]/g) || []).length === (t.match(/<w:trPr>(?:(?!<\/w:trPr>)[\s\S])*<w:del\b/g) || []).length).length,
    merged: [...xml.matchAll(/<w:tcPr>[\s\S]*?<\/w:tcPr>/g)].map(([p]) => /<w:vMerge\/>|<w:vMerge w:val="continue"/.test(p) ? 0
      : /<w:gridSpan w:val="(?:[2-9]|\d\d)"/.test(p) + /<w:vMerge w:val="restart"/.test(p)).reduce((a, b) => a + b, 0),
    headings: levels,
    lists: lists,
    pictures: (xml.match(/<pic:pic\b|<v:imagedata\b/g) || []).length,
    notes: (xml.match(/<w:(?:footnote|endnote)Reference\b/g) || []).length,
    aligned: aligned,
    inline: inline,
  };
}

// What the article holds.
function found(html) {
  const counts = articleCounts(html);
  return Object.assign(counts, { chars: charCounts(bodyOf(html).textContent), inline: new Set(counts.inline) });
}

const share = (got, want) => (want === 0 ? null : Math.min(got, want) / want);
const relative = (levels) => levels.map((l) => l - Math.min(...levels));

// Each column as a share of what the file holds, or null where it holds none.
function compare(want, got) {
  let kept = 0;
  let total = 0;
  for (const [c, n] of want.chars) {
    total += n;
    kept += Math.min(n, got.chars.get(c) || 0);
  }
  const a = relative(want.headings);
  const b = relative(got.headings);
  return {
    chars: total ? kept / total : null,
    tables: share(got.tables, want.tables),
    merged: share(got.merged, want.merged),
    headings: share(got.headings.length, want.headings.length),
    levels: a.length ? a.filter((l, i) => b[i] === l).length / a.length : null,
    lists: share(got.lists, want.lists),
    pictures: share(got.pictures, want.pictures),
    notes: share(got.notes, want.notes),
    aligned: share(got.aligned, want.aligned),
    inline: want.inline.size ? [...want.inline].filter((k) => got.inline.has(k)).length / want.inline.size : null,
  };
}

async function roundTrip(html) {
  const base64 = await wordDocument(bodyOf(html), docx);
  return (await readWordFile(new Uint8Array(Buffer.from(base64, 'base64')), { mammoth, JSZip })).html;
}

const cell = (v) => (v === null ? '    -' : (Math.round(v * 1000) / 10).toFixed(1).padStart(5));

async function measure(files) {
  const rows = [];
  for (const file of files) {
    const bytes = new Uint8Array(fs.readFileSync(path.join(CORPUS, file)));
    const want = await expected(bytes);
    const opened = (await readWordFile(bytes, { mammoth, JSZip })).html;
    rows.push({ file, open: compare(want, found(opened)), back: compare(want, found(await roundTrip(opened))) });
  }
  return rows;
}

function total(rows, side) {
  const out = {};
  for (const c of COLUMNS) {
    const values = rows.map((r) => r[side][c]).filter((v) => v !== null);
    out[c] = values.length ? values.reduce((x, y) => x + y, 0) / values.length : null;
  }
  return out;
}

function print(rows) {
  console.log('file'.padEnd(44) + COLUMNS.map((c) => c.padStart(12)).join('') + '   (opened / after the export round trip, %)');
  const line = (name, open, back) => console.log(name.padEnd(44) + COLUMNS.map((c) => (cell(open[c]) + '/' + cell(back[c]).trim()).padStart(12)).join(""));
  for (const r of rows) line(r.file.replace(/\.docx$/, ''), r.open, r.back);
  line('TOTAL (mean over files holding each)', total(rows, 'open'), total(rows, 'back'));
}

async function time(f, rounds) {
  await f();
  const start = process.hrtime.bigint();
  for (let i = 0; i < rounds; i++) await f();
  return Number(process.hrtime.bigint() - start) / 1e6 / rounds;
}

async function speed() {
  const largest = fs.readdirSync(CORPUS).filter((f) => f.endsWith('.docx'))
    .map((f) => [f, fs.statSync(path.join(CORPUS, f)).size]).sort((a, b) => b[1] - a[1])[0][0];
  const bytes = new Uint8Array(fs.readFileSync(path.join(CORPUS, largest)));
  const ours = await time(() => readWordFile(bytes, { mammoth, JSZip }), 3);
  const before = await time(async () => sanitizeHtml((await mammoth.convertToHtml({ buffer: bytes })).value), 3);
  console.log(`opening ${largest}: ${ours.toFixed(0)} ms; mammoth and the sanitizer alone (opening before) ${before.toFixed(0)} ms; ratio ${(ours / before).toFixed(2)}`);

  const photo = fs.readFileSync(path.join(repo, 'tests/data/corpus/docx/docx-rs-image-inline-and-anchor.docx'));
  const jpeg = Object.values((await JSZip.loadAsync(photo)).files).find((f) => /media\/.*\.(png|jpe?g)$/.test(f.name));
  const src = 'data:image/' + (/png$/.test(jpeg.name) ? 'png' : 'jpeg') + ';base64,' + (await jpeg.async('base64'));
  let html = '<h1>标题</h1>';
  for (let i = 0; i < 200; i++) {
    html += `<p style="text-align:justify">　　第${i}段，<strong>重点</strong>内容，<em>强调</em>文字。</p>`;
    if (i % 10 === 0) html += `<p style="text-align:center"><img src="${src}" width="400" height="300"></p>`;
  }
  const exported = await time(() => wordDocument(bodyOf(html), docx), 3);
  const picture = new Uint8Array(Buffer.from(src.split(',')[1], 'base64'));
  const plain = await time(() => docx.Packer.toBase64String(new docx.Document({
    sections: [{ children: Array.from({ length: 220 }, (_, i) => new docx.Paragraph({ children: i % 11 === 0
      ? [new docx.ImageRun({ type: /png$/.test(jpeg.name) ? 'png' : 'jpg', data: picture, transformation: { width: 400, height: 300 } })]
      : [new docx.TextRun('第' + i + '段，'), new docx.TextRun({ text: '重点', bold: true }), new docx.TextRun('内容。')] })) }],
  })), 3);
  console.log(`export of 200 paragraphs and 20 photos: ${exported.toFixed(0)} ms; the docx package writing the same runs and pictures directly ${plain.toFixed(0)} ms; ratio ${(exported / plain).toFixed(2)}`);
}

const args = process.argv.slice(2);
const floorsAt = args.indexOf('--floors');
const floors = floorsAt >= 0 ? JSON.parse(fs.readFileSync(path.resolve(repo, args.splice(floorsAt, 2)[1]), 'utf8')) : null;
const wantSpeed = args.includes('--speed');
const named = args.filter((a) => !a.startsWith('--'));
const files = named.length ? named : floors ? Object.keys(floors).filter((f) => f.endsWith('.docx'))
  : fs.readdirSync(CORPUS).filter((f) => f.endsWith('.docx')).sort();
const rows = await measure(files);
print(rows);
if (wantSpeed) await speed();
if (floors) {
  // A floor is a percentage for every column of a side, or one per column.
  const low = [];
  for (const r of rows) {
    for (const [side, floor] of Object.entries(floors[r.file] || {})) {
      for (const c of COLUMNS) {
        const least = typeof floor === 'number' ? floor : floor[c];
        if (least !== undefined && r[side][c] !== null && r[side][c] * 100 < least) low.push(`${r.file} ${side} ${c}: ${cell(r[side][c])} < ${least}`);
      }
    }
  }
  if (low.length) {
    console.error('Below the recorded floor:\n' + low.join('\n'));
    process.exit(1);
  }
}
