// Opens a real Word file through 打开 (the shell puts the file in for the placeholders) and, for
// the round trip, exports the article to .docx and opens that export.
(async function () {
  const file = { ok: true, cancelled: false, kind: 'docx', name: '@NAME@', base64: '@BASE64@' };
  corvelFake.host.chooseOpenFile = async () => file;
  await corvelEditor.articles.openFile();
  if (@ROUND_TRIP@) {
    await corvelEditor.articles.exportAs('docx');
    corvelFake.host.chooseOpenFile = async () => ({ ...file, name: '导出后再打开.docx', base64: corvelFake.saved.data });
    await corvelEditor.articles.openFile();
  }
})();
'opening'
