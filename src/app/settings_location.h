#pragma once
// Settles where this run keeps its settings and tells the user when their folder is unusable.

struct AppContext;
class Platform;

// Fills in context.SettingsFolder and context.SettingsReadOnly for context.AppFolder, from
// XDG_CONFIG_HOME and HOME. An unusable settings folder is reported through the platform;
// the program then goes on with the shipped files, read-only.
void settleSettingsFolder(AppContext& context, Platform& platform);
