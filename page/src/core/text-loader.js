// Reads a text file beside the page as bytes and decodes it as UTF-8 here, the way the
// program's option store reads it: one leading UTF-8 mark is dropped, malformed bytes become
// U+FFFD, and no other mark (FF FE, FE FF) switches the encoding. file:// XHR reports status
// 0 on success, so only the error event (missing or unreadable file) counts as failure.
function decodeUtf8(bytes) {
  return new TextDecoder('utf-8').decode(bytes);
}

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
      xhr.responseType = 'arraybuffer';
    } catch (e) {
      resolve(null);
      return;
    }
    xhr.onload = function () {
      const okStatus = xhr.status === 0 || (xhr.status >= 200 && xhr.status < 300);
      resolve(okStatus && xhr.response ? decodeUtf8(new Uint8Array(xhr.response)) : null);
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

export { loadText, decodeUtf8 };
