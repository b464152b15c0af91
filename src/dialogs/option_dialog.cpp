#include "option_dialog.h"

#include <exception>

#include "option_store.h"

OptionDialog::OptionDialog(DialogHost& host, QWidget* owner, std::string_view section,
                           std::span<const std::string_view> keys)
    : SettingsDialog(host, owner), section_(section), keys_(keys) {}

std::string OptionDialog::readOption(std::string_view section, std::string_view key) const {
    return host().optionStore().GetOption(section, key);
}

std::vector<std::string> OptionDialog::readOptions() const {
    std::vector<std::string> read;
    for (auto key : keys_) read.push_back(readOption(section_, key));
    return read;
}

bool OptionDialog::save() {
    const std::vector<std::string> all = values();
    Class_Option& store = host().optionStore();
    for (std::size_t i = 0; i < keys_.size(); ++i) store.SetOption(section_, keys_[i], all[i]);
    try {
        store.writeOptionFile();
    } catch (const std::exception& error) {
        // The values stay in the store; the next Save writes them.
        reportWriteFailure(pathInAppFolder("web.ini"), error);
        return false;
    }
    return true;
}
