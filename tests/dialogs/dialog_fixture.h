#pragma once
// A program folder of its own for each test, with web.ini and rule files written byte for byte,
// the fake host and the dialogs facade, and helpers that drive the dialogs through real widgets.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fake_host.h"
#include "settings_dialogs.h"
#include "test_files.h"

using Json = nlohmann::json;

inline const std::string kBom = "\xEF\xBB\xBF";
// The settings every test starts from, unless it changes some of them.
inline const std::string kWebIni = ReadBytes(CORVEL_TEST_DATA_DIR "/dialog_web.ini");
// The tables of tests/data/dialog_cases.json.
inline const Json kTables = Json::parse(std::ifstream(CORVEL_TEST_DATA_DIR "/dialog_cases.json"));

// A table's text: a string, or raw bytes as an array of numbers.
inline std::string Bytes(const Json& text) {
    if (text.is_string()) return text;
    std::string bytes;
    for (const int byte : text) bytes += static_cast<char>(byte);
    return bytes;
}

// A dialog and the menu command that opens it.
struct DialogKind {
    const char* name;
    void (SettingsDialogs::*open)();
};
inline constexpr DialogKind kUeditor{"Form_Option_Ueditor", &SettingsDialogs::openUeditor};
inline constexpr DialogKind kAutoFormat{"Form_Option_auto_format",
                                        &SettingsDialogs::openAutoFormat};
inline constexpr DialogKind kFormat{"Form_Option_format", &SettingsDialogs::openFormat};
inline constexpr DialogKind kConversionFile{"Form_Option_File_Edit",
                                            &SettingsDialogs::openConversionFile};
inline constexpr DialogKind kRedundantFile{"Form_Option_File_Edit",
                                           &SettingsDialogs::openRedundantFile};
// An option dialog by the name the tables give it.
inline const DialogKind& KindNamed(const std::string& name) {
    for (const DialogKind* kind : {&kUeditor, &kAutoFormat, &kFormat}) {
        if (name == kind->name) return *kind;
    }
    throw std::invalid_argument(name);
}

class DialogTest : public ::testing::Test {
protected:
    // Writes web.ini (with a byte-order mark, as the store writes it) and starts the dialogs.
    void start(std::string_view webIni = kWebIni) {
        dialogs_.reset();
        writeFile("web.ini", kBom + std::string(webIni));
        host_ = std::make_unique<FakeHost>(folder_);
        dialogs_ = std::make_unique<SettingsDialogs>(*host_);
    }
    // The menu command; later helpers act on the dialog it opened.
    QDialog* open(const DialogKind& kind) {
        ((*dialogs_).*kind.open)();
        current_ = kind.name;
        return dialog(kind.name);
    }

    void writeFile(const std::string& name, std::string_view bytes) {
        fs::create_directories((folder_ / name).parent_path());
        WriteBytes(folder_ / name, bytes);
    }
    std::string fileBytes(const std::string& name) const {
        return fs::exists(folder_ / name) ? ReadBytes(folder_ / name) : "<missing>";
    }

    QDialog* dialog(const char* name) const {
        return host_->ownerWindow()->findChild<QDialog*>(name);
    }
    template <class Widget = QWidget>
    Widget* control(const char* name) const {
        auto* found = dialog(current_)->findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) const {
        QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
    }
    // What a control shows: the checked id of an option-button group, the text of a list or box,
    // a caption's text as screen readers get it.
    QString shown(const char* name) const {
        if (auto* group = dialog(current_)->findChild<QButtonGroup*>(name)) {
            return QString::number(group->checkedId());
        }
        auto* widget = control(name);
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->accessibleName();
        if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
        if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
        return qobject_cast<QPlainTextEdit*>(widget)->toPlainText();
    }
    // As the user would: clicks a button; otherwise focuses the control, presses `first` and
    // types `text`, with Enter for each "\n" (and Backspace for "\b").
    void edit(const char* name, const QKeySequence& first = {}, const QString& text = {}) const {
        auto* widget = control(name);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            return QTest::mouseClick(button, Qt::LeftButton);
        }
        widget->setFocus();
        if (!first.isEmpty()) QTest::keySequence(widget, first);
        QTest::keyClicks(widget, QString(text).replace(u'\n', u'\r'));
    }

    const FreshFolder fresh_{"corvel-dialogs"};
    const std::filesystem::path folder_ = fresh_.path();
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<SettingsDialogs> dialogs_;
    const char* current_ = nullptr;
};

// `ini` with the value of `key` replaced; no value drops the key's line. Key names are unique
// across the sections of kWebIni.
inline std::string IniWith(std::string_view key, std::optional<std::string_view> value,
                           std::string ini = kWebIni) {
    const auto at = ini.find("\n" + std::string(key) + "=") + 1;
    const auto end = ini.find("\r\n", at);
    if (!value) return ini.erase(at, end + 2 - at);
    return ini.replace(at + key.size() + 1, end - at - key.size() - 1, *value);
}
