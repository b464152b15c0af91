// 发稿体检: what the chosen profile's platform would refuse or a reader should not see, found
// before the article is sent. Each finding is {rule, text, at}: at is {text, occurrence} for
// text in the article, {picture: index} for a picture, or null for something missing.
import { cleanRuns, countChars } from '../formatting/formatter.js';
import { count } from '../../core/char-count.js';
import { findHits } from '../law-check/law-check.js';
import { findContacts } from './contacts.js';
import { articleBlocks, writeBlocks } from './output.js';

const PRICE = /[¥￥]\s*\d+(?:\.\d+)?|(?<![\d.])\d+(?:\.\d+)?\s*(?:元(?![素旦宵宇])|块钱)|(?:售价|价格|原价|现价|特价|到手价|仅需|只要|仅售)\s*[:：]?\s*\d+(?:\.\d+)?/;
const BUY = /购买|下单|抢购|订购|选购|扫码|点击链接|小程序|商城|旗舰店|淘宝|天猫|京东|拼多多|购物车|私信|团购|预订|预定|咨询热线/;
const AD_LABEL = /【广告】|\[广告\]|（广告）|\(广告\)|^\s*广告\s*$|本文为广告|广告\s*[:：]/m;
const DATELINE = /^.{0,40}?(?:\d{1,2}月\d{1,2}日(?:电|讯)|本报讯|本网讯|讯[（(]|讯\s|(?:电|讯|报道)[）)】\]]|^[【\[].{1,20}[】\]])/;
const EDITOR_LINE = /(?:责任编辑|责编|编辑)\s*[:：|丨]/;

const text = (runs) => runs.map((r) => r.text).join('');

// The article's lines and its title (the first line) and summary (a line that starts with
// 摘要 or 导语).
function readArticle(blocks) {
  const lines = [];
  for (const b of blocks) {
    if (b.kind === 'image') continue;
    if (b.kind === 'table') for (const row of b.rows) for (const cell of row) for (const l of cell.lines) lines.push(text(cleanRuns(l, {}, false)));
    else lines.push(text(b.runs));
  }
  const kept = lines.filter((l) => l !== '');
  const summary = kept.find((l) => /^(?:摘要|导语)\s*[:：]/.test(l)) || '';
  return { lines: kept, title: kept[0] || '', summary: summary.replace(/^(?:摘要|导语)\s*[:：]\s*/, '') };
}

// Portals count two Latin letters or digits as one character.
function portalLength(s) {
  const narrow = (s.match(/[\x21-\x7e]/g) || []).length;
  return countChars(s) - narrow + Math.ceil(narrow / 2);
}

function sizeText(bytes) {
  return bytes >= 1048576 ? (bytes / 1048576).toFixed(1) + ' MB' : Math.ceil(bytes / 1024) + ' KB';
}

// pictures: each picture of the article in reading order, with what is known of it:
// {format, bytes, codes}.
function checkArticle(html, profile, lawRules, pictures) {
  const findings = [];
  const blocks = articleBlocks(html);
  const article = readArticle(blocks);
  const all = article.lines.join('\n');
  // The nth time this text appears, so that a click finds the same place in the editor.
  const at = (s, index) => ({ text: s, occurrence: all.slice(0, index).split(s).length - 1 });
  const add = (rule, shown, where) => findings.push({ rule, text: shown, at: where });

  const titleChars = countChars(article.title);
  if (profile.titleMax && titleChars > profile.titleMax) add('标题过长（' + titleChars + '字，限' + profile.titleMax + '字）', article.title, at(article.title, 0));
  if (profile.shortTitleMax && portalLength(article.title) > profile.shortTitleMax) {
    add('需要备用短标题（' + profile.shortTitleMax + '字以内，两个英文字母或数字算一个字）', article.title, at(article.title, 0));
  }
  if (profile.summaryMax && countChars(article.summary) > profile.summaryMax) {
    add('摘要过长（' + countChars(article.summary) + '字，限' + profile.summaryMax + '字）', article.summary, at(article.summary, all.indexOf(article.summary)));
  }
  if (profile.bodyMax) {
    const body = profile.bodyCount === 'html' ? writeBlocks(blocks, profile).html : all;
    // The 公众号 editor counts its body with the tags; otherwise the body's 字数, the one count
    // the status bar and the article list show.
    const byTags = profile.bodyCount === 'html';
    const length = byTags ? body.length : count(body).words;
    if (length > profile.bodyMax) add('正文过长（' + length + (byTags ? '字符' : '字') + '，限' + profile.bodyMax + '）', article.title, null);
    const bytes = profile.bodyMaxBytes ? new TextEncoder().encode(body).length : 0;
    if (bytes > profile.bodyMaxBytes) add('正文过大（' + sizeText(bytes) + '，限' + sizeText(profile.bodyMaxBytes) + '）', article.title, null);
  }

  const rule = profile.pictures;
  if (pictures.length < rule.min || pictures.length > rule.max) {
    add('图片张数（应为' + rule.min + '到' + rule.max + '张）', '文中有' + pictures.length + '张图片', null);
  }
  pictures.forEach(function (p, i) {
    const name = '第' + (i + 1) + '张图片';
    if (p.format && rule.formats.length && !rule.formats.includes(p.format)) add('图片格式（只收' + rule.formats.join('、').toUpperCase() + '）', name + '是' + p.format.toUpperCase(), { picture: i });
    if (rule.maxBytes && p.bytes > rule.maxBytes) add('图片过大（复制时会压缩到' + sizeText(rule.maxBytes) + '以内）', name + '有' + sizeText(p.bytes), { picture: i });
    if (profile.rules.contacts) for (const code of p.codes || []) add('联系方式：图片中的二维码', name + '：' + code, { picture: i });
  });

  if (profile.rules.contacts) for (const hit of findContacts(all)) add('联系方式：' + hit.kind, hit.text, at(hit.text, hit.start));
  if (profile.rules.law && lawRules) for (const hit of findHits(all, lawRules)) add('广告法：' + hit.reason, hit.term, at(hit.term, hit.start));
  if (profile.rules.adLabel && !AD_LABEL.test(all)) {
    const price = PRICE.exec(all);
    const buy = BUY.exec(all);
    if (price && buy) add('缺少“广告”标识（有价格，又有购买方式）', price[0] + ' … ' + buy[0], at(price[0], price.index));
  }
  const body = article.lines.slice(1);
  if (profile.rules.dateline && !body.slice(0, 2).some((l) => DATELINE.test(l))) add('缺少电头', '正文开头没有电头（如“本报讯”“××网12月7日电”）', null);
  if (profile.rules.editorLine && !body.slice(-3).some((l) => EDITOR_LINE.test(l))) add('缺少责任编辑', '文末没有“责任编辑：”一行', null);
  return findings;
}

export { checkArticle, readArticle, portalLength };
