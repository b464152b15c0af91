// Keeps the article in the page's localStorage, so that a reload (every settings Save
// reloads the page), a restart or a crash never loses it. Saves are debounced while the
// user types, and forced when the page goes away.
const KEY = 'corvel.article.html';

// storage: a Web Storage object; timers: {setTimeout, clearTimeout} (the window's, or fakes).
function create(storage, timers, delayMs) {
  let pending = null;
  let latest = null;

  function write() {
    if (pending !== null) timers.clearTimeout(pending);
    pending = null;
    if (latest === null) return true;
    try {
      storage.setItem(KEY, latest);
      latest = null;
      return true;
    } catch (e) {
      return false; // quota or a locked profile: keep the text and try again next time
    }
  }

  return {
    load: function () {
      try {
        return storage.getItem(KEY);
      } catch (e) {
        return null;
      }
    },
    // Remembers html and writes it after delayMs without further changes.
    changed: function (html) {
      latest = html;
      if (pending !== null) timers.clearTimeout(pending);
      pending = timers.setTimeout(write, delayMs);
    },
    // Writes now (page hiding or unloading, explicit commands).
    flush: write,
    saveNow: function (html) {
      latest = html;
      return write();
    },
  };
}

export { create, KEY };
