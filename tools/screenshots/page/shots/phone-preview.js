// Formats the press release and previews its 公众号 copy at a phone's width.
(function () {
  corvelEditor.format();
  corvelEditor.publish.preview();
  return 'preview';
})()
