// Notices about the article: lasting ones under a key (a failed save stays until a save
// succeeds) and short ones that go by themselves ("已复制").
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.CorvelNoticeBoard = factory();
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // box: the element that holds the notices; timers: {setTimeout, clearTimeout}.
  function create(box, timers) {
    const lasting = new Map();

    function add(text, className) {
      const item = box.ownerDocument.createElement('div');
      item.className = className;
      item.textContent = text;
      box.appendChild(item);
      return item;
    }

    return {
      show: function (key, text) {
        const old = lasting.get(key);
        if (old) {
          old.textContent = text;
          return;
        }
        lasting.set(key, add(text, 'corvel-notice corvel-notice-lasting'));
      },
      clear: function (key) {
        const old = lasting.get(key);
        if (old) old.remove();
        lasting.delete(key);
      },
      flash: function (text, ms) {
        const item = add(text, 'corvel-notice corvel-notice-short');
        timers.setTimeout(() => item.remove(), ms || 2500);
      },
      has: (key) => lasting.has(key),
    };
  }

  return { create: create };
});
