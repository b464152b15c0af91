// Chinese punctuation over long runs that hold no address, at two lengths in one run: a time that
// grows with the length (ratio about 2) is linear, one that grows with its square (about 4) is
// not. The runs are what a hostile opened file holds: letters, and a comma run after "http://".
//   node bench/page/punctuation-bench.mjs [length]
import { fix } from '../../page/src/plugins/formatting/punctuation.js';

const length = Number(process.argv[2]) || 400000;
const texts = {
  letters: (n) => '中' + 'a'.repeat(n),
  'commas after http://': (n) => '中http://' + ','.repeat(n) + 'x',
};
const time = (text) => {
  const start = performance.now();
  fix(text);
  return performance.now() - start;
};
for (const [name, make] of Object.entries(texts)) {
  time(make(1000)); // warm-up
  const single = time(make(length));
  const double = time(make(2 * length));
  console.log(`${name}: ${single.toFixed(1)} ms at ${length}, ${double.toFixed(1)} ms at ${2 * length}, ratio ${(double / single).toFixed(2)}`);
}
