// Publishing profiles: one JSON file each beside the page, which a writer may read and change.
// Lines that start with "//" are notes and are skipped, so the files can explain themselves.
const FILES = { wechat: 'publish-wechat.json', news: 'publish-news.json', text: 'publish-text.json' };
const WRITERS = ['wechat', 'news', 'text'];

// A profile from its file's text; throws an Error with a Chinese message when it cannot be used.
function parseProfile(text, fileName) {
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  const json = text.split(/\r\n|\n|\r/).map((line) => (/^\s*\/\//.test(line) ? '' : line)).join('\n');
  let data;
  try {
    data = JSON.parse(json);
  } catch (e) {
    throw new Error('发布规定文件 ' + fileName + ' 格式有误：' + e.message);
  }
  if (!data || typeof data.name !== 'string' || !WRITERS.includes(data.writer)) {
    throw new Error('发布规定文件 ' + fileName + ' 缺少名称（name），或输出方式（writer）不是 ' + WRITERS.join('、') + ' 之一。');
  }
  const pictures = Object.assign({ min: 0, max: Infinity, formats: [], maxBytes: 0, maxWidth: 0 }, data.pictures);
  return Object.assign({ allowedElements: [], linkDomains: [], styles: {}, rules: {}, listLevels: 2 }, data, { pictures });
}

// Every profile by its key; a file that is missing or broken is told through notice and left out.
async function loadProfiles(loadText, notice) {
  const profiles = {};
  for (const [key, file] of Object.entries(FILES)) {
    const text = await loadText(file);
    if (text === null) {
      notice('未能读取发布规定文件 ' + file + '，按它发布的命令不可用。');
      continue;
    }
    try {
      profiles[key] = parseProfile(text, file);
    } catch (e) {
      notice(e.message);
    }
  }
  return profiles;
}

export { FILES, parseProfile, loadProfiles };
