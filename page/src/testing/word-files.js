// What the Word tests and the fidelity benchmark share: an article's structure as counts, and
// a Word file made from a few XML parts.
import { bodyOf, packages } from './index.js';

const INLINE_TAGS = { strong: 'bold', b: 'bold', em: 'italic', i: 'italic', u: 'underline', s: 'strike', del: 'strike', sup: 'sup', sub: 'sub' };
const W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"';

// The structure an article holds, as the fidelity columns count it.
function articleCounts(html) {
  const body = bodyOf(html);
  const all = (q) => Array.from(body.querySelectorAll(q));
  return {
    tables: all('table').length,
    merged: all('[colspan]:not([colspan="1"])').length + all('[rowspan]:not([rowspan="1"])').length,
    headings: all('h1,h2,h3,h4,h5,h6').map((h) => Number(h.tagName[1])),
    lists: all('li').length,
    pictures: all('img').length,
    notes: all('sup').filter((s) => /^\[\d+\]$/.test(s.textContent.trim())).length,
    // Only what shows: an aligned paragraph that holds no text or picture cannot be told apart.
    aligned: all('[style*="text-align"]').filter((e) => /text-align:\s*(center|right|justify)/.test(e.getAttribute('style')) &&
      (/\S/.test(e.textContent) || e.querySelector('img'))).length,
    inline: Object.keys(INLINE_TAGS).filter((t) => body.querySelector(t)).map((t) => INLINE_TAGS[t]).filter((k, i, a) => a.indexOf(k) === i).sort(),
  };
}

// A .docx holding the given body, paragraph styles and lists (XML inside <w:body>, <w:styles>
// and <w:numbering>).
async function wordFile(body, styles, numbering) {
  const zip = new (packages('jszip'))();
  zip.file('[Content_Types].xml', '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">' +
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>' +
    '<Default Extension="xml" ContentType="application/xml"/>' +
    '<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>');
  zip.file('_rels/.rels', '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>');
  zip.file('word/_rels/document.xml.rels', '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>' +
    '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="numbering.xml"/></Relationships>');
  zip.file('word/document.xml', `<?xml version="1.0"?><w:document ${W}><w:body>${body}</w:body></w:document>`);
  zip.file('word/styles.xml', `<?xml version="1.0"?><w:styles ${W}>${styles || ''}</w:styles>`);
  zip.file('word/numbering.xml', `<?xml version="1.0"?><w:numbering ${W}>${numbering || ''}</w:numbering>`);
  return zip.generateAsync({ type: 'uint8array' });
}

export { articleCounts, wordFile };
