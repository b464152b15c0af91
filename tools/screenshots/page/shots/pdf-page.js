// Formats the press release and starts its PDF; the host's answer is held back, so the clean
// copy that the PDF shows stays in the page while the viewer prints it.
(function () {
  corvelEditor.format();
  corvelFake.host.exportPdf = () => new Promise(() => {});
  corvelEditor.publish.exportPdf();
  return 'pdf';
})()
