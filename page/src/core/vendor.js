// The libraries the page loads as separate vendor scripts (Jodit, OpenCC, mammoth, JSZip, docx),
// looked up when used rather than at import, so that every module also imports under Node.
// mammoth, JSZip and docx (1.5 MB of script) serve only opening and exporting Word documents:
// they load on first use; OpenCC (1.2 MB, about 100 ms of start-up) loads once the editor is ready. None
// of them holds up the editor's first paint.

const jodit = () => globalThis.Jodit;
const opencc = () => globalThis.OpenCC;

const LATER = {
  mammoth: 'editor/vendor/mammoth.browser.min.js',
  JSZip: 'editor/vendor/jszip.min.js',
  docx: 'editor/vendor/docx.js',
  OpenCC: 'editor/vendor/opencc.full.js',
};
const loading = {};

// Resolves to the library, loading its script first when the page lacks it.
function later(name) {
  if (globalThis[name]) return Promise.resolve(globalThis[name]);
  const doc = globalThis.document;
  if (!doc) return Promise.resolve(undefined);
  if (!loading[name]) {
    loading[name] = new Promise(function (resolve, reject) {
      const script = doc.createElement('script');
      script.src = LATER[name];
      script.onload = () => resolve(globalThis[name]);
      script.onerror = function () {
        delete loading[name]; // a later try loads it again
        script.remove();
        reject(new Error('无法加载' + name));
      };
      doc.head.appendChild(script);
    });
  }
  return loading[name];
}

const mammoth = () => later('mammoth');
// What reading a Word file takes: {mammoth, JSZip}.
const wordReading = () => Promise.all([mammoth(), later('JSZip')]).then(([m, z]) => ({ mammoth: m, JSZip: z }));
const docx = () => later('docx');
const loadOpencc = () => later('OpenCC');

export { jodit, opencc, loadOpencc, mammoth, wordReading, docx };
