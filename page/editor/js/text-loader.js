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
        // The bytes are decoded as UTF-8 whatever mark they start with, as the program reads
        // them: a browser's own decoding would read a UTF-16 file that the settings dialogs
        // cannot. The one UTF-8 mark is left for the option reader, which drops it.
        xhr.responseType = 'arraybuffer';
      } catch (e) {
        resolve(null);
        return;
      }
      xhr.onload = function () {
        const okStatus = xhr.status === 0 || (xhr.status >= 200 && xhr.status < 300);
        resolve(okStatus ? new TextDecoder('utf-8', { ignoreBOM: true }).decode(xhr.response) : null);
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
