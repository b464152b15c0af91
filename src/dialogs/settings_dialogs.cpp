#include "settings_dialogs.h"

#include "dialog_host.h"

struct SettingsDialogs::Impl {
    DialogHost& host;
};

SettingsDialogs::SettingsDialogs(DialogHost& host) : impl_(new Impl{host}) {}
SettingsDialogs::~SettingsDialogs() = default;
void SettingsDialogs::openUeditor() {}
void SettingsDialogs::openAutoFormat() {}
void SettingsDialogs::openFormat() {}
void SettingsDialogs::openConversionFile() {}
void SettingsDialogs::openRedundantFile() {}
void SettingsDialogs::closeAll() {}
