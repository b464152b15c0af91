// Opens every toolbar list and popup of the editor in turn and gathers what a user can read:
// text, tooltips (the buttons' labels), titles and placeholders. Returns
// {count, samples, latin}: latin lists every text with a Latin word other than the product
// and font names, units and colour codes.
(function () {
  const j = corvelEditor.jodit;
  const seen = [];
  const readable = (root) => {
    const out = [];
    const walk = (el) => {
      if (el.nodeType === 3) {
        if (el.nodeValue.trim()) out.push(el.nodeValue.trim());
        return;
      }
      if (el.nodeType !== 1) return;
      const style = getComputedStyle(el);
      if (style.display === 'none' || style.visibility === 'hidden') return;
      const attrs = ['title', 'placeholder'];
      if (el.classList.contains('jodit-toolbar-button__button')) attrs.push('aria-label'); // the tooltip
      if (el.type === 'button' || el.type === 'submit') attrs.push('value');
      for (const a of attrs) if (el.getAttribute(a)) out.push(el.getAttribute(a));
      if (/^(IFRAME|SCRIPT|STYLE|svg)$/.test(el.nodeName)) return;
      for (const c of el.childNodes) walk(c);
    };
    walk(root);
    return out;
  };
  seen.push(...readable(j.toolbarContainer), ...readable(j.statusbar.container));
  for (const b of j.toolbar.buttons) {
    const c = b.control || {};
    const trigger = b.container.querySelector('.jodit-toolbar-button__trigger');
    const target = trigger || (c.popup && !c.exec ? b.container.querySelector('button') : null);
    if (!target) continue;
    target.dispatchEvent(new MouseEvent('mousedown', { bubbles: true }));
    target.click();
    for (const p of document.querySelectorAll('.jodit-popup, .jodit-dialog')) {
      seen.push(...readable(p).map((t) => c.name + ': ' + t));
    }
    j.e.fire('closeAllPopups');
  }
  const allowed = /^(Arial|Georgia|Times|New|Roman|Tahoma|Verdana|Courier|HTML|Corvel)$/;
  const latin = seen.filter((t) =>
    (t.replace(/^\w+: /, '').replace(/\d+px|#[0-9A-F]{6}|https?:\/\//gi, '').match(/[A-Za-z]{2,}/g) || [])
      .some((w) => !allowed.test(w)));
  return JSON.stringify({
    count: seen.length,
    samples: ['加粗', 'paragraph: 正文', 'font: 宋体', 'link: 网址', 'corvelToTraditional: 台湾用语']
      .filter((s) => seen.indexOf(s) >= 0),
    latin: Array.from(new Set(latin)),
  });
})()
