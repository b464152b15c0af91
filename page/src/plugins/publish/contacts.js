// Contact details in text, as portals refuse them: mobile, landline and 400/800 numbers,
// e-mail and web addresses, 微信号 and QQ. Each pattern needs its own context (an area code,
// a 1[3-9] prefix, a label, a known top-level domain), so dates, prices and version numbers
// are left alone.
const NOT_DIGIT_BEFORE = '(?<![\\d.\\-])';
const NOT_DIGIT_AFTER = '(?![\\d])';
const TLD = '(?:com|cn|net|org|gov|edu|info|top|xyz|vip|shop|club|cc|tv|me|io|co|hk|tw|site|online|store|wang|ltd)';

// The rest of an address: the characters addresses use, ending before a stop or a bracket
// that closes the sentence around it (a Chinese character or comma ends it anyway).
const URL_REST = "[\\w\\-.~:/?#@!$&*+=%]*[\\w\\-~/#=%]";

const KINDS = [
  ['网址', new RegExp('(?:https?://|www\\.)' + URL_REST + '|(?<![\\w@.-])(?:[a-z0-9-]+\\.)+' + TLD + '\\b(?:/' + URL_REST + ')?', 'gi')],
  ['电子邮箱', /[\w.+-]+@[\w-]+(?:\.[\w-]+)+/g],
  ['400/800电话', new RegExp(NOT_DIGIT_BEFORE + '[48]00[-\\s]?\\d{3}[-\\s]?\\d{4}' + NOT_DIGIT_AFTER, 'g')],
  ['手机号', new RegExp(NOT_DIGIT_BEFORE + '(?:\\+?86[-\\s]?)?1[3-9]\\d[-\\s]?\\d{4}[-\\s]?\\d{4}' + NOT_DIGIT_AFTER, 'g')],
  ['固定电话', new RegExp(NOT_DIGIT_BEFORE + '(?:[(（]0\\d{2,3}[)）]\\s?|0\\d{2,3}[-\\s])[2-9]\\d{6,7}(?:[-转]\\d{1,5})?' + NOT_DIGIT_AFTER, 'g')],
  ['微信号', /(?:微信号?|微信公众号|V信|薇信|威信|vx|wx|weixin)\s*[:：]?\s*[a-z][-_a-z0-9]{5,19}(?![-_a-z0-9])/gi],
  ['QQ', /(?:QQ|扣扣)\s*(?:号|群)?\s*[:：]?\s*[1-9]\d{4,10}(?!\d)/gi],
];

// Every contact detail in text as {kind, start, end, text}, in reading order; where two
// patterns meet the same text (a web address inside an e-mail), the earlier, longer one wins.
function findContacts(text) {
  const found = [];
  for (const [kind, pattern] of KINDS) {
    pattern.lastIndex = 0;
    for (const m of text.matchAll(pattern)) found.push({ kind, start: m.index, end: m.index + m[0].length, text: m[0] });
  }
  found.sort((a, b) => a.start - b.start || b.end - a.end);
  const kept = [];
  for (const hit of found) if (!kept.length || hit.start >= kept[kept.length - 1].end) kept.push(hit);
  return kept;
}

export { findContacts };
