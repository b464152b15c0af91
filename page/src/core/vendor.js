// The libraries the page loads as separate vendor scripts (Jodit, OpenCC, mammoth, docx),
// looked up when used rather than at import, so that every module also imports under Node.

const jodit = () => globalThis.Jodit;
const opencc = () => globalThis.OpenCC;
const mammoth = () => globalThis.mammoth;
const docx = () => globalThis.docx;

export { jodit, opencc, mammoth, docx };
