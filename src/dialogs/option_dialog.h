#pragma once
// A settings dialog that edits keys of one section of the option file. The keys are read in
// their order when the dialog loads, and stored in the same order on Save.

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

    std::string_view section_;
    std::span<const std::string_view> keys_;
};
