// Formats the press release, writes a few typos and redundancies into it and runs 错误更正.
(function () {
  corvelEditor.format();
  corvelEditor.jodit.value = corvelEditor.jodit.value
    .replace('正式发布新一代', '目前现在正式发布按装简便的新一代')
    .replace('为用户带来更好的产品', '再接再励，为用户免费赠送更好的产品');
  return JSON.stringify(corvelEditor.correct().count);
})()
