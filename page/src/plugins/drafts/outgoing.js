// The article on its way out of the page (copy, export, the list's title and count).
import { parseFragment } from '../../core/html.js';
import { describeRoot } from '../../core/char-count.js';
import { stripMarksIn } from '../law-check/law-check.js';
import { inlineImages } from '../pictures/article-images.js';

// The automatic title (first line or heading) and the 字数 of article HTML that is not in the
// editor (the editor's own article is counted as it changes: see articleCount).
function describe(html, pageBreakTag) {
  const n = describeRoot(parseFragment(html), pageBreakTag);
  return { title: n.title, chars: n.words };
}

// The article with every stored image inlined and without the page's marks; null when the
// user stops because of missing images. The missing-image placeholders are counted before
// the marks go.
async function inlined(html, host, confirm) {
  const body = parseFragment(html);
  const missing = await inlineImages(body, host);
  if (missing && !(await confirm('有' + missing + '张图片缺失或无法读取，这些图片不会包含在内。仍要继续吗？'))) return null;
  stripMarksIn(body);
  return body;
}

export { describe, inlined };
