// Reads a text file beside the page. file:// XHR reports status 0 on success, so only the
// error event (missing or unreadable file) counts as failure.
(function (root) {
  'use strict';

  // Relative rule-file names from web.ini may use Windows separators.
  function urlBesidePage(name) {
    const path = name.replace(/\\/g, '/').split('/').map(encodeURIComponent).join('/');
    return new URL(path, window.location.href).href;
  }

  function loadText(name) {
    return new Promise(function (resolve) {
      let xhr;
      try {
        xhr = new XMLHttpRequest();
        xhr.open('GET', urlBesidePage(name), true);
        xhr.overrideMimeType('text/plain; charset=utf-8');
      } catch (e) {
        resolve(null);
        return;
      }
      xhr.onload = function () {
        const okStatus = xhr.status === 0 || (xhr.status >= 200 && xhr.status < 300);
        resolve(okStatus ? xhr.responseText : null);
      };
      xhr.onerror = function () {
        resolve(null);
      };
      try {
        xhr.send();
      } catch (e) {
        resolve(null);
      }
    });
  }

  root.CorvelTextLoader = { loadText: loadText };
})(self);
