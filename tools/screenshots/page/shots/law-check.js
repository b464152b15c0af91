// Formats the press release, writes a few forbidden claims into it and runs the law check.
(function () {
  corvelEditor.format();
  corvelEditor.jodit.value = corvelEditor.jodit.value
    .replace('正式发布新一代', '正式发布行业第一款、全球首发的新一代')
    .replace('为用户带来更好的产品', '为用户带来最佳体验，100%满意，第一季度即可供货');
  const terms = corvelEditor.tools.lawCheck().map((h) => h.term);
  // The list moves to a hit and keeps it in view beside the panel.
  document.querySelectorAll('#corvel-findings .corvel-findings-item')[2].click();
  return JSON.stringify(terms);
})()
