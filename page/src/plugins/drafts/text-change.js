// The one stretch that differs between two texts, in UTF-16 units as the host counts them:
// `at` units kept in front, `removed` units of `before` replaced by `inserted`.
// Whole blocks are compared first: the engine compares slices far faster than a loop of units.
const BLOCK = 1024;

function textChange(before, after) {
  const most = Math.min(before.length, after.length);
  let at = 0;
  while (at + BLOCK <= most && before.slice(at, at + BLOCK) === after.slice(at, at + BLOCK)) at += BLOCK;
  while (at < most && before.charCodeAt(at) === after.charCodeAt(at)) at++;
  const room = most - at; // the tail may not reach back into what the front kept
  const b = before.length;
  const a = after.length;
  let tail = 0;
  while (tail + BLOCK <= room && before.slice(b - tail - BLOCK, b - tail) === after.slice(a - tail - BLOCK, a - tail)) tail += BLOCK;
  while (tail < room && before.charCodeAt(b - 1 - tail) === after.charCodeAt(a - 1 - tail)) tail++;
  return { at, removed: b - at - tail, inserted: after.slice(at, a - tail) };
}

export { textChange };
