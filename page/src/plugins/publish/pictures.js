// The article's pictures on their way to a platform: what is known of each (format, size, QR
// codes) for 发稿体检, and copies sized for the profile in place of the stored originals.
import { parseFragment } from '../../core/html.js';

const STORED = /^corvel-article:/i;

// What the address alone tells: a data: picture's format and size, or a file name's format.
function factsFromAddress(src) {
  const data = /^data:image\/([a-z0-9+.-]+);base64,(.*)$/is.exec(src);
  if (data) return { format: data[1].toLowerCase().replace('jpg', 'jpeg'), bytes: Math.floor(data[2].length * 3 / 4), codes: [] };
  const ext = /\.([a-z0-9]+)(?:[?#].*)?$/i.exec(src);
  const format = ext ? ext[1].toLowerCase().replace(/^jpg$/, 'jpeg') : '';
  return { format, bytes: 0, codes: [] };
}

// A stored picture is named by its content, so what the program found in it stays true.
const inspected = new Map();

async function inspect(src, host) {
  if (!inspected.has(src)) {
    const found = await host.inspectPicture(src);
    if (!found.ok) return factsFromAddress(src);
    inspected.set(src, { format: found.format, bytes: found.bytes, codes: found.codes || [] });
  }
  return inspected.get(src);
}

// Facts of every picture in html in reading order; the program inspects its stored ones.
function pictureFacts(html, host) {
  const sources = Array.from(parseFragment(html).querySelectorAll('img'), (img) => img.getAttribute('src') || '');
  return Promise.all(sources.map((src) => (host && STORED.test(src) ? inspect(src, host) : factsFromAddress(src))));
}

// html with each stored picture replaced by a copy within the profile's width and size;
// {html, failed: number of pictures left as they were}.
async function embedPictures(html, host, profile) {
  const body = parseFragment(html);
  const images = Array.from(body.querySelectorAll('img')).filter((img) => STORED.test(img.getAttribute('src') || ''));
  if (!host || images.length === 0) return { html, failed: 0 };
  let failed = 0;
  const limits = profile.pictures;
  await Promise.all(images.map(async function (img) {
    const fitted = await host.fitPicture(img.getAttribute('src'), limits.maxWidth || 0, limits.maxBytes || 0);
    if (!fitted.ok) return void failed++;
    img.setAttribute('src', 'data:' + fitted.mime + ';base64,' + fitted.base64);
  }));
  return { html: body.innerHTML, failed };
}

export { pictureFacts, embedPictures, factsFromAddress };
