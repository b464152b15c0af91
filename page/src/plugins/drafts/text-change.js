// The one stretch that differs between two texts, in UTF-16 units as the host counts them:
// `at` units kept in front, `removed` units of `before` replaced by `inserted`.
function textChange(before, after) {
  const most = Math.min(before.length, after.length);
  let at = 0;
  while (at < most && before.charCodeAt(at) === after.charCodeAt(at)) at++;
  let tail = 0;
  const b = before.length - 1;
  const a = after.length - 1;
  while (tail < most - at && before.charCodeAt(b - tail) === after.charCodeAt(a - tail)) tail++;
  return { at, removed: before.length - at - tail, inserted: after.slice(at, after.length - tail) };
}

export { textChange };
