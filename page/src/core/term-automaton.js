// Finds many terms in a text in one pass (an Aho–Corasick automaton), so that the time grows
// with the text and not with the number of terms. Built once per rule file. The rule files'
// reading of a text: at each place the longest term wins and the text after it is searched
// on, so matches never overlap and the order of the terms does not matter.
// Most texts are a paragraph: the places' table is kept between calls rather than made anew
// (a call made from inside a match's callback gets its own).
const scratch = { longest: new Int32Array(4096), which: new Int32Array(4096), busy: false };

function build(terms) {
  const next = [new Map()];
  const depth = [0];
  const term = [-1]; // the term that ends exactly at this state, or -1
  terms.forEach(function (text, index) {
    let state = 0;
    for (let i = 0; i < text.length; i++) {
      const c = text.charCodeAt(i);
      let to = next[state].get(c);
      if (to === undefined) {
        to = next.length;
        next.push(new Map());
        depth.push(depth[state] + 1);
        term.push(-1);
        next[state].set(c, to);
      }
      state = to;
    }
    if (state !== 0) term[state] = index; // a later line for the same text wins
  });
  // fail: the longest proper suffix that is a state; out: the nearest suffix ending a term.
  const fail = new Int32Array(next.length);
  const out = new Int32Array(next.length).fill(-1);
  const queue = [];
  for (const to of next[0].values()) queue.push(to);
  for (let q = 0; q < queue.length; q++) {
    const state = queue[q];
    for (const [c, to] of next[state]) {
      let f = fail[state];
      while (f !== 0 && !next[f].has(c)) f = fail[f];
      const g = next[f].get(c);
      fail[to] = g !== undefined && g !== to ? g : 0;
      out[to] = term[fail[to]] >= 0 ? fail[to] : out[fail[to]];
      queue.push(to);
    }
  }

  // Calls onMatch(start, end, termIndex) for each match, left to right.
  function each(text, onMatch) {
    let longest = null; // the longest term starting at each place, found lazily
    let which = null;
    let own = false;
    let state = 0;
    for (let i = 0; i < text.length; i++) {
      const c = text.charCodeAt(i);
      let to = next[state].get(c);
      while (to === undefined && state !== 0) {
        state = fail[state];
        to = next[state].get(c);
      }
      state = to === undefined ? 0 : to;
      for (let s = term[state] >= 0 ? state : out[state]; s > 0; s = out[s]) {
        const start = i + 1 - depth[s];
        if (!longest) {
          own = !scratch.busy && scratch.longest.length >= text.length;
          longest = own ? scratch.longest.fill(0, 0, text.length) : new Int32Array(text.length);
          which = own ? scratch.which : new Int32Array(text.length);
          if (own) scratch.busy = true;
        }
        if (depth[s] > longest[start]) {
          longest[start] = depth[s];
          which[start] = term[s];
        }
      }
    }
    if (!longest) return;
    try {
      for (let i = 0; i < text.length; ) {
        if (longest[i] === 0) {
          i++;
          continue;
        }
        onMatch(i, i + longest[i], which[i]);
        i += longest[i];
      }
    } finally {
      if (own) scratch.busy = false;
    }
  }

  return { each, empty: next[0].size === 0 };
}

export { build };
