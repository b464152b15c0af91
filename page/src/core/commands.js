// The one list of the page's commands. Each is defined once: name, text, tooltip, and exec or
// popup (and list for a split button); keys names the Ctrl shortcuts that run it. Jodit's
// controls are built from here; the toolbar sets list names only.

function createRegistry() {
  const commands = new Map();

  function define(command) {
    if (!command || !command.name) throw new Error('a command needs a name');
    if (commands.has(command.name)) throw new Error('command defined twice: ' + command.name);
    commands.set(command.name, command);
  }

  // Jodit's controls: everything but keys, which Jodit does not know.
  function controls() {
    const out = {};
    for (const [name, command] of commands) {
      const { keys, ...control } = command;
      out[name] = control;
    }
    return out;
  }

  // The command run by Ctrl+key, or null.
  function forKey(key) {
    const k = String(key).toLowerCase();
    for (const command of commands.values()) if (command.keys && command.keys.includes(k)) return command;
    return null;
  }

  return { define, controls, forKey, get: (name) => commands.get(name), names: () => Array.from(commands.keys()) };
}

// Ctrl+key (no Alt or Shift) runs the command that claims the key, in the editor and around it.
function attachHotkeys(registry, jodit, doc) {
  const onKey = function (event) {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return undefined;
    const command = registry.forKey(event.key);
    if (!command) return undefined;
    event.preventDefault();
    command.exec(jodit);
    return false;
  };
  jodit.e.on('keydown', onKey);
  doc.addEventListener('keydown', onKey);
}

export { createRegistry, attachHotkeys };
