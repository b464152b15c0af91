#include "option_dialog.h"

#include <QStringList>
#include <exception>

#include "file_error_text.h"
#include "kept_values.h"
#include "option_store.h"
#include "store_path.h"

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

bool OptionDialog::overwriteOutsideChange() {
    Class_Option& store = host().optionStore();
    if (!store.changedOnDisk()) return true;
    const QString path = FromStorePath(store.optionFilePath());
    const auto choice = host().messageBoxes().askOverwriteReloadStay(
        this, QStringLiteral("设置文件“%1”在本程序读取之后被其他程序修改过。\n\n"
                             "“覆盖”：用本程序的设置写回文件，外部所作的修改将丢失。\n"
                             "“重新读取”：读取文件现在的内容并显示在对话框中，"
                             "您在对话框中的修改将丢失。\n"
                             "“取消”：返回对话框，暂不保存。")
                  .arg(path));
    if (choice == MessageBoxes::Choice::Save) return true;
    if (choice == MessageBoxes::Choice::Discard) {
        try {
            store.reload();
            formLoad();
        } catch (const std::exception& error) {
            host().messageBoxes().showError(
                this, QStringLiteral("无法重新读取设置文件“%1”。\n原因：%2\n\n"
                                     "您的修改仍在对话框中。")
                          .arg(path, FileErrorReason(error)));
        }
    }
    return false;
}

void OptionDialog::reportMissingKeys(const QStringList& missing) {
    host().messageBoxes().showError(
        this, QStringLiteral("以下设置没有保存，因为设置文件“%1”中缺少这些设置项：\n%2\n\n"
                             "其余设置已保存。程序不会自行添加设置项。要恢复这些设置，"
                             "请用安装包中原有的 web.ini 替换此文件（或重新安装程序），"
                             "然后再设置一次。")
                  .arg(FromStorePath(host().optionStore().optionFilePath()),
                       missing.join(QStringLiteral("\n"))));
}

bool OptionDialog::save() {
    if (!overwriteOutsideChange()) return false;
    const std::vector<std::string> all = values();
    Class_Option& store = host().optionStore();
    QStringList missing;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (store.HasOption(section_, keys_[i])) {
            store.SetOption(section_, keys_[i], all[i]);
        } else {
            missing << QStringLiteral("[%1] %2").arg(ToQt(section_), ToQt(keys_[i]));
        }
    }
    // A file that holds none of the keys is left as it is: there is nothing to store in it.
    try {
        if (missing.size() < std::ssize(keys_)) store.writeOptionFile();
    } catch (const std::exception& error) {
        // The values stay in the store; the next Save writes them.
        reportWriteFailure(store.optionFilePath(), error);
        return false;
    }
    if (!missing.isEmpty()) reportMissingKeys(missing);
    return true;
}
