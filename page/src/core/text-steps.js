// The text steps that paste, formatting and the whole-article commands run: the user's rule
// files first, then the OpenCC library for conversion.
import * as rules from './rules.js';
import { opencc as openccLibrary, loadOpencc } from './vendor.js';

// OpenCC's forms for each traditional standard the writer can choose: plain characters and
// phrases, or one region's own wording.
const FORMS = { t: 't', tw: 'twp', hk: 'hk' };

// A converter factory over the loaded OpenCC library, or null without it. standard: 't', 'tw'
// or 'hk'. Building a converter's dictionaries takes the better part of a second, so each is
// built once per page load.
const built = new Map();
function openccFactory() {
  const OpenCC = openccLibrary();
  if (!OpenCC) return null;
  return function (direction, standard) {
    const form = FORMS[standard] || FORMS.t;
    const [from, to] = direction === 'traditional' ? ['cn', form] : [form, 'cn'];
    const key = from + '>' + to;
    if (!built.has(key)) built.set(key, OpenCC.Converter({ from: from, to: to }));
    return built.get(key);
  };
}

// Runs fn once OpenCC has loaded or failed to: at once when it is there, so the commands stay
// synchronous after start-up; otherwise after loading it, returning a promise of fn's result.
function withOpencc(fn) {
  if (openccLibrary()) return fn();
  return loadOpencc().catch(() => undefined).then(fn);
}

// loaded: the settings and rule texts; notice(text) tells the user of a missing library;
// rulesRead: a promise that the rule texts are in `loaded` (none: they are already).
// automatic is null while the steps wait for the rule files or for OpenCC; whenReady(fn) runs
// fn once they are complete, at once when they are.
function textSteps(loaded, standard, notice, rulesRead) {
  const s = loaded.settings;
  let correct = null; // built at first use, from the texts as read
  const correctOnly = (text, onHit) => (correct || (correct = rules.corrector(loaded.correctionText)))(text, onHit);
  let automatic = null;
  const build = function () {
    const factory = openccFactory();
    if (s.conversion !== 'same' && !factory) notice('简繁转换组件未能加载，只使用转换规则文件。');
    const opencc = factory ? (direction) => factory(direction, standard) : null;
    const convert = rules.converter(loaded.conversionText, s.conversion, opencc, standard);
    automatic = rules.textPipeline({ correct: s.redundant ? correctOnly : null, convert: convert });
  };
  if (!rulesRead && (s.conversion === 'same' || openccLibrary())) build();
  const rulesIn = rulesRead || Promise.resolve();
  return {
    correctOnly: correctOnly,
    get automatic() {
      return automatic;
    },
    whenReady: function (fn) {
      if (automatic) return fn();
      return rulesIn.then(() => withOpencc(function () {
        if (!automatic) build();
        return fn();
      }));
    },
  };
}

export { openccFactory, withOpencc, textSteps, FORMS };
