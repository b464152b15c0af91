// Copies through the page's own copy event, so that the HTML and the plain text both reach
// the clipboard; true when the browser let the copy happen.
function copyToClipboard(doc, html, text) {
  const onCopy = function (event) {
    if (html !== null) event.clipboardData.setData('text/html', html);
    event.clipboardData.setData('text/plain', text);
    event.preventDefault();
  };
  doc.addEventListener('copy', onCopy);
  let ok = false;
  try {
    ok = doc.execCommand('copy');
  } finally {
    doc.removeEventListener('copy', onCopy);
  }
  return ok;
}

export { copyToClipboard };
