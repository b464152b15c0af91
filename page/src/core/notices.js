// Everything the page tells the user goes through here: notices that stay (a settings file
// that could not be read; under a key, a failed save that stays until a save succeeds), and
// short ones ("已复制", the count of 错误更正) that float over the page, so that the editor
// does not jump, and go by themselves.

// box: the element that holds the lasting notices; timers: {setTimeout, clearTimeout}.
function create(box, timers) {
  const doc = box.ownerDocument;
  const lasting = new Map();
  const said = []; // every unkeyed lasting notice, in order
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
    list: said,
    notice: function (text) {
      said.push(text);
      add(text, 'corvel-notice', box);
    },
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
    // action: [caption, run], a button in the notice (撤销) that runs once and closes it.
    flash: function (text, ms, action) {
      const item = add(text, 'corvel-notice corvel-notice-short', floatingBox());
      if (action) {
        const button = doc.createElement('button');
        button.type = 'button';
        button.textContent = action[0];
        button.addEventListener('click', () => {
          item.remove();
          action[1]();
        });
        item.appendChild(button);
      }
      timers.setTimeout(() => item.remove(), ms || 2500);
    },
    has: (key) => lasting.has(key),
  };
}

export { create };
