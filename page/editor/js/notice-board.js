// Notices about the article: lasting ones under a key (a failed save stays until a save
// succeeds), and short ones ("已复制") that float over the page, so that the editor does not
// jump, and go by themselves.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.CorvelNoticeBoard = factory();
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // box: the element that holds the notices; timers: {setTimeout, clearTimeout}.
  function create(box, timers) {
    const doc = box.ownerDocument;
    const lasting = new Map();
    let floating = null;

    function add(text, className, into) {
      const item = doc.createElement('div');
      item.className = className;
      item.textContent = text;
      into.appendChild(item);
      return item;
    }

    function floatingBox() {
      if (!floating) {
        floating = doc.createElement('div');
        floating.className = 'corvel-flashes';
        doc.body.appendChild(floating);
      }
      return floating;
    }

    return {
      show: function (key, text) {
        const old = lasting.get(key);
        if (old) {
          old.textContent = text;
          return;
        }
        lasting.set(key, add(text, 'corvel-notice corvel-notice-lasting', box));
      },
      clear: function (key) {
        const old = lasting.get(key);
        if (old) old.remove();
        lasting.delete(key);
      },
      flash: function (text, ms) {
        const item = add(text, 'corvel-notice corvel-notice-short', floatingBox());
        timers.setTimeout(() => item.remove(), ms || 2500);
      },
      has: (key) => lasting.has(key),
    };
  }

  return { create: create };
});
