// 打印 and PDF: the page's print style shows only a copy of the article put into #corvel-print,
// so the program prints the page itself through the system's dialog or the web engine's PDF.
const ID = 'corvel-print';

function withPrintCopy(doc, html, job) {
  let holder = doc.getElementById(ID);
  if (!holder) {
    holder = doc.createElement('div');
    holder.id = ID;
    doc.body.appendChild(holder);
  }
  holder.innerHTML = html;
  const done = () => {
    holder.innerHTML = '';
  };
  return Promise.resolve(job()).then((result) => {
    done();
    return result;
  }, (error) => {
    done();
    throw error;
  });
}

export { withPrintCopy };
