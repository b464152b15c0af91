#pragma once
// A settings dialog that edits keys of one section of the option file. The keys are read in
// their order when the dialog loads, and stored in the same order on Save.

#include <QStringList>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings_dialog.h"

class OptionDialog : public SettingsDialog {
    Q_OBJECT
protected:
    OptionDialog(DialogHost& host, QWidget* owner, std::string_view section,
                 std::span<const std::string_view> keys);

    std::string readOption(std::string_view section, std::string_view key) const;
    // The values of all keys, read before the first control is set.
    std::vector<std::string> readOptions() const;
    // The values to store, computed from the controls, one per key.
    virtual std::vector<std::string> values() const = 0;

private:
    bool save() override;
    // Before a save would undo another program's change to web.ini, asks whether to overwrite
    // it or to read the file again. True to go on with the save.
    bool overwriteOutsideChange();
    // Names the keys that web.ini lacks, which a Save could not store.
    void reportMissingKeys(const QStringList& missing);

    std::string_view section_;
    std::span<const std::string_view> keys_;
};
