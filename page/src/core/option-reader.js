// Reads web.ini exactly as the program's own option store does, so that the page and the
// settings dialogs always agree on what a line means. Plain browser script and CommonJS module.
// Leading blanks are char 32 only: tabs and full-width spaces belong to the line.
function stripLeadingSpaces(line) {
  let i = 0;
  while (i < line.length && line.charCodeAt(i) === 32) i++;
  return line.slice(i);
}

// "[name]" without its first and last character, counted in code points so that a
// non-BMP character at the end is dropped whole. "[" alone opens the empty section.
function sectionName(line) {
  const chars = Array.from(line);
  return chars.length < 2 ? '' : chars.slice(1, -1).join('');
}

function compositeKey(section, key) {
  return 'A_' + section + '_K_' + key;
}

// Lines end at CR LF once the file holds one CR LF pair; a file with LF but no pair (from a
// Unix editor) has its lines end at LF.
function lineBreakOf(text) {
  return text.indexOf('\r\n') < 0 && text.indexOf('\n') >= 0 ? '\n' : '\r\n';
}

// Returns every entry in file order as [compositeKey, value]; duplicates are kept. The
// text is the file as decoded (its one byte-order mark already gone).
function parseEntries(text) {
  const entries = [];
  let section = '';
  for (const rawLine of text.split(lineBreakOf(text))) {
    const line = stripLeadingSpaces(rawLine);
    if (line === '' || line[0] === ';') continue;
    if (line[0] === '[') {
      section = sectionName(line);
      continue;
    }
    const eq = line.indexOf('=');
    // A key line without "=" is the key with the empty value.
    const key = eq < 0 ? line : line.slice(0, eq);
    const value = eq < 0 ? '' : line.slice(eq + 1);
    entries.push([compositeKey(section, key), value]);
  }
  return entries;
}

// Lookup view over the entries: the last duplicate wins, a missing key reads as ''.
function parseOptions(text) {
  const entries = parseEntries(text);
  const values = new Map(entries);
  return {
    entries: entries,
    has: function (section, key) {
      return values.has(compositeKey(section, key));
    },
    get: function (section, key) {
      const v = values.get(compositeKey(section, key));
      return v === undefined ? '' : v;
    },
  };
}

export { parseEntries, parseOptions, compositeKey };
