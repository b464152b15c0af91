// The traditional form the writer chose last (台湾 or 香港), kept in the page's storage.
const STANDARD_KEY = 'corvel.chineseStandard';
const STANDARDS = { tw: '台湾标准', hk: '香港标准' };

function rememberedStandard(storage) {
  try {
    const value = storage.getItem(STANDARD_KEY);
    return Object.prototype.hasOwnProperty.call(STANDARDS, value) ? value : 'tw';
  } catch (e) {
    return 'tw';
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
