// The traditional form the writer chose last, kept in the page's storage: plain characters
// and phrases unless a region's own wording (台湾 or 香港) is chosen.
const STANDARD_KEY = 'corvel.chineseStandard';
const STANDARDS = { t: '通用繁体', tw: '台湾用语', hk: '香港用语' };

function rememberedStandard(storage) {
  try {
    const value = storage.getItem(STANDARD_KEY);
    return Object.prototype.hasOwnProperty.call(STANDARDS, value) ? value : 't';
  } catch (e) {
    return 't';
  }
}

// False for an unknown standard; a storage that refuses keeps the choice for this session.
function rememberStandard(storage, value) {
  if (!Object.prototype.hasOwnProperty.call(STANDARDS, value)) return false;
  try {
    storage.setItem(STANDARD_KEY, value);
  } catch (e) {
    /* the choice only lasts this session */
  }
  return true;
}

export { rememberedStandard, rememberStandard, STANDARDS };
