// Formats the press release, adds a hotline, a shop address and a price with a way to buy, and
// runs 发稿体检 for 新闻源.
(function () {
  corvelEditor.format();
  corvelEditor.jodit.value = corvelEditor.jodit.value
    .replace('正式发布新一代', '正式发布全球首发的新一代')
    .replace(/<\/p>/, '</p><p>　　新品售价 1299 元，即日起可在官方商城 shop.example.com 下单购买，咨询热线 400-123-4567。</p>');
  corvelEditor.publish.check('news');
  return 'checked';
})()
