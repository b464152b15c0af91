// The text steps that paste, formatting and the whole-article commands run: the user's rule
// files first, then the OpenCC library for conversion.
import * as rules from './rules.js';
import { opencc as openccLibrary } from './vendor.js';

// A converter factory over the loaded OpenCC library, or null without it. standard: 'tw' or
// 'hk', the traditional form the writer chose.
function openccFactory() {
  const OpenCC = openccLibrary();
  if (!OpenCC) return null;
  return function (direction, standard) {
    const variant = standard === 'hk' ? 'hk' : 'tw';
    return direction === 'traditional'
      ? OpenCC.Converter({ from: 'cn', to: variant })
      : OpenCC.Converter({ from: variant, to: 'cn' });
  };
}

// loaded: the settings and rule texts; notice(text) tells the user of a missing library.
function textSteps(loaded, standard, notice) {
  const s = loaded.settings;
  const factory = openccFactory();
  if (s.conversion !== 'same' && !factory) notice('简繁转换组件未能加载，只使用转换规则文件。');
  const opencc = factory ? (direction) => factory(direction, standard) : null;
  const convert = rules.converter(loaded.conversionText, s.conversion, opencc);
  const correct = rules.corrector(loaded.correctionText);
  return {
    correctOnly: correct,
    automatic: rules.textPipeline({ correct: s.redundant ? correct : null, convert: convert }),
  };
}

export { openccFactory, textSteps };
