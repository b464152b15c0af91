// One-click formatting (一键排版): turns pasted web pages and Word documents into a clean
// article of <p> paragraphs. The DOM is only read (nodeType, nodeName, childNodes,
// nodeValue, getAttribute), so the same code runs on the browser's DOM and in Node tests.
// The result is rebuilt as an HTML string; running it on its own output changes nothing.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.CorvelFormatter = factory();
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // Elements whose content is never article text.
  const DROPPED = new Set([
    'script', 'style', 'meta', 'link', 'title', 'head', 'xml', 'template', 'noscript',
    'iframe', 'object', 'embed', 'button', 'input', 'select', 'textarea', 'svg', 'canvas',
    'audio', 'video', 'map',
  ]);
  // Elements that end the paragraph before them and start a new one after them.
  const BLOCKS = new Set([
    'p', 'div', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6', 'li', 'ul', 'ol', 'dl', 'dt', 'dd',
    'blockquote', 'section', 'article', 'header', 'footer', 'aside', 'nav', 'main', 'figure',
    'figcaption', 'table', 'thead', 'tbody', 'tfoot', 'tr', 'td', 'th', 'caption', 'pre',
    'address', 'center', 'hr', 'br', 'body', 'html', 'form', 'fieldset', 'details', 'summary',
  ]);
  const HEADINGS = new Set(['h1', 'h2', 'h3', 'h4', 'h5', 'h6']);
  const BOLD = new Set(['b', 'strong']);
  const CAPTION_MARK = 'data-corvel-mark';

  // Blanks that a paragraph may start or end with: ASCII whitespace, no-break space,
  // full-width space and the zero-width characters Word and web editors leave behind.
  const EDGE_BLANKS = /^[\s\u00a0\u3000\u200b\ufeff]+|[\s\u00a0\u3000\u200b\ufeff]+$/g;
  // Same, but a full-width indent at the start stays: it is part of the plain text.
  const EDGE_BLANKS_KEEP_INDENT = /^[ \t\n\r\f\u00a0\u200b\ufeff]+|[\s\u00a0\u3000\u200b\ufeff]+$/g;

  function tagOf(node) {
    return String(node.localName || node.nodeName || '').toLowerCase();
  }

  function attr(node, name) {
    return (node.getAttribute && node.getAttribute(name)) || '';
  }

  function styleHas(node, pattern) {
    return pattern.test(attr(node, 'style'));
  }

  function isHidden(node) {
    return styleHas(node, /display\s*:\s*none|mso-hide\s*:\s*all|visibility\s*:\s*hidden/i);
  }

  function isBoldSpan(node) {
    return styleHas(node, /font-weight\s*:\s*(bold|bolder|[6-9]00)/i);
  }

  function safeHref(href) {
    return /^(https?:|mailto:)/i.test(href.trim()) ? href.trim() : '';
  }

  function safeSrc(src) {
    const s = src.trim();
    if (s === '' || /^\s*(javascript|vbscript):/i.test(s)) return '';
    if (/^data:/i.test(s) && !/^data:image\//i.test(s)) return '';
    return s;
  }

  // --- Reading: the DOM becomes a list of blocks, each a list of runs --------------------
  // A run is {text, bold, href} or {image: {src, alt}}.

  function collectBlocks(root) {
    const blocks = [];
    let current = [];
    const flush = function () {
      if (current.length) blocks.push(current);
      current = [];
    };
    const walk = function (node, bold, href) {
      if (node.nodeType === 3 || node.nodeType === 4) {
        current.push({ text: node.nodeValue, bold: bold, href: href });
        return;
      }
      if (node.nodeType !== 1 && node.nodeType !== 9 && node.nodeType !== 11) return;
      const tag = tagOf(node);
      if (DROPPED.has(tag) || (node.nodeType === 1 && isHidden(node))) return;
      if (tag === 'img') {
        const src = safeSrc(attr(node, 'src'));
        if (!src) return;
        // An image always stands in its own paragraph.
        flush();
        blocks.push([{ image: { src: src, alt: attr(node, 'alt') } }]);
        return;
      }
      const block = BLOCKS.has(tag);
      if (block) flush();
      const childBold = bold || BOLD.has(tag) || HEADINGS.has(tag) || isBoldSpan(node);
      const childHref = tag === 'a' ? safeHref(attr(node, 'href')) || href : href;
      const children = node.childNodes || [];
      for (let i = 0; i < children.length; i++) walk(children[i], childBold, childHref);
      if (block) flush();
    };
    walk(root, false, '');
    flush();
    return blocks;
  }

  // --- Cleaning the text of one paragraph ------------------------------------------------

  function collapse(text) {
    // Line breaks and tabs inside pasted HTML render as one space; so do no-break spaces.
    return text.replace(/[\t\n\r\f\u00a0 ]+/g, ' ').replace(/[\u200b\ufeff]/g, '');
  }

  // Joins neighbouring runs of the same kind and drops empty ones.
  function mergeRuns(runs) {
    const out = [];
    for (const run of runs) {
      if (run.text === '') continue;
      const last = out[out.length - 1];
      if (last && last.bold === run.bold && last.href === run.href) last.text += run.text;
      else out.push({ text: run.text, bold: run.bold, href: run.href });
    }
    return out;
  }

  function trimRuns(runs) {
    while (runs.length) {
      runs[0].text = runs[0].text.replace(/^[\s\u00a0\u3000\u200b\ufeff]+/, '');
      if (runs[0].text !== '') break;
      runs.shift();
    }
    while (runs.length) {
      const last = runs[runs.length - 1];
      last.text = last.text.replace(/[\s\u00a0\u3000\u200b\ufeff]+$/, '');
      if (last.text !== '') break;
      runs.pop();
    }
    return runs;
  }

  function plainText(runs) {
    return runs.map((r) => r.text).join('');
  }

  // Removes prefix from the start of the runs (it may span several runs), if it is there.
  function dropLeading(runs, prefix) {
    if (!prefix || !plainText(runs).startsWith(prefix)) return false;
    let rest = prefix.length;
    while (rest > 0) {
      const head = runs[0];
      const take = Math.min(rest, head.text.length);
      head.text = head.text.slice(take);
      rest -= take;
      if (head.text === '') runs.shift();
    }
    return true;
  }

  // Strips every trailing copy of sign, so that "。。" loses both and a second pass finds none.
  function dropTrailing(runs, sign) {
    if (!sign) return;
    for (;;) {
      trimRuns(runs);
      const text = plainText(runs);
      if (!text.endsWith(sign) || text.length === 0) return;
      let rest = sign.length;
      while (rest > 0 && runs.length) {
        const last = runs[runs.length - 1];
        const take = Math.min(rest, last.text.length);
        last.text = last.text.slice(0, last.text.length - take);
        rest -= take;
        if (last.text === '') runs.pop();
      }
    }
  }

  function countChars(text) {
    // Code points without blanks: a Chinese character or an emoji is one.
    return Array.from(text.replace(/[\s\u00a0\u3000]/g, '')).length;
  }

  // --- Writing ---------------------------------------------------------------------------

  function escapeText(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  }

  function escapeAttr(text) {
    return escapeText(text).replace(/"/g, '&quot;');
  }

  function alignStyle(justify) {
    return justify === 'left' || justify === 'right' || justify === 'center'
      ? ' style="text-align:' + justify + '"'
      : '';
  }

  function runsHtml(runs) {
    return runs
      .map(function (run) {
        let html = escapeText(run.text);
        if (run.bold) html = '<strong>' + html + '</strong>';
        if (run.href) html = '<a href="' + escapeAttr(run.href) + '">' + html + '</a>';
        return html;
      })
      .join('');
  }

  // options: paragraphBeforeBlank, imageJustify, captionJustify, captionMaxLength,
  // captionEndSign, retainBold, and transformText (conversion and corrections, or null).
  function formatBlocks(blocks, options) {
    const transform = options.transformText || ((t) => t);
    const indent = options.paragraphBeforeBlank || '';
    // The indent without its own blanks: what is left of it after trimming a paragraph.
    const indentCore = indent.replace(EDGE_BLANKS, '');
    const out = [];
    let afterImage = false;
    for (const block of blocks) {
      if (block[0].image) {
        const img = block[0].image;
        const alt = img.alt ? ' alt="' + escapeAttr(transform(img.alt)) + '"' : '';
        out.push(
          '<p' + alignStyle(options.imageJustify) + '><img src="' + escapeAttr(img.src) + '"' +
            alt + '></p>',
        );
        afterImage = true;
        continue;
      }
      const merged = mergeRuns(
        block.map((r) => ({ text: r.text, bold: !!options.retainBold && r.bold, href: r.href })),
      );
      for (const run of merged) run.text = transform(collapse(run.text));
      const runs = trimRuns(merged);
      if (runs.length === 0) continue; // empty paragraphs go
      if (options.pageBreakTag && plainText(runs) === options.pageBreakTag) {
        // The page-break marker stays a bare line for the publishing system to find.
        out.push('<p>' + escapeText(options.pageBreakTag) + '</p>');
        afterImage = false;
        continue;
      }
      if (afterImage) {
        // The paragraph right after an image is its caption.
        afterImage = false;
        dropTrailing(runs, options.captionEndSign);
        if (runs.length === 0) continue;
        const limit = options.captionMaxLength || 0;
        const tooLong = limit > 0 && countChars(plainText(runs)) > limit;
        const mark = tooLong
          ? ' ' + CAPTION_MARK + '="caption-too-long" title="图片配文超过' + limit + '字"'
          : '';
        out.push('<p' + alignStyle(options.captionJustify) + mark + '>' + runsHtml(runs) + '</p>');
        continue;
      }
      // A paragraph that already starts with the indent keeps one copy of it.
      if (dropLeading(runs, indentCore)) trimRuns(runs);
      if (runs.length === 0) continue;
      out.push('<p>' + escapeText(indent) + runsHtml(runs) + '</p>');
    }
    return out.join('');
  }

  function formatNode(root, options) {
    return formatBlocks(collectBlocks(root), options);
  }

  // The article as plain text: one line per paragraph, images left out.
  function plainTextOf(root) {
    return collectBlocks(root)
      .filter((block) => !block[0].image)
      .map((block) => plainText(block.map((r) => ({ text: collapse(r.text) }))).replace(EDGE_BLANKS_KEEP_INDENT, ''))
      .filter((line) => line.replace(EDGE_BLANKS, '') !== '')
      .join('\n');
  }

  // Removes the page's own marks from finished HTML (before it is copied out).
  function stripMarks(html) {
    return html.replace(/ data-corvel-mark="[^"]*"(?: title="[^"]*")?/g, '');
  }

  return {
    formatNode: formatNode,
    countChars: countChars,
    stripMarks: stripMarks,
    plainText: plainTextOf,
    CAPTION_MARK: CAPTION_MARK,
  };
});
