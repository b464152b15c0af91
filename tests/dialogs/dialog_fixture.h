#pragma once
// A program folder of its own for each test, with web.ini and rule files written byte for byte,
// the fake host and the dialogs facade, and helpers that drive the dialogs through real widgets.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "fake_host.h"
#include "kept_values.h"
#include "settings_dialogs.h"

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvel-dlg-XXXXXX");
        folder_ = mkdtemp(pattern.data());
    }
    void TearDown() override {
        dialogs_.reset();
        host_.reset();
        std::filesystem::remove_all(folder_);
    }

    // Writes web.ini (with a byte-order mark, as the store writes it) and starts the dialogs.
    void start(std::string_view webIni) {
        writeFile("web.ini", std::string(kBom) + std::string(webIni));
        host_ = std::make_unique<FakeHost>(folder_);
        dialogs_ = std::make_unique<SettingsDialogs>(*host_);
    }

    void writeFile(const std::string& name, std::string_view bytes) {
        std::filesystem::create_directories((folder_ / name).parent_path());
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    std::string fileBytes(const std::string& name) const {
        std::error_code error;
        const auto size = std::filesystem::file_size(folder_ / name, error);
        if (error) return "<missing>";
        std::string bytes(size, '\0');
        std::ifstream(folder_ / name, std::ios::binary).read(bytes.data(), std::streamsize(size));
        return bytes;
    }
    // What the program would read at its next start.
    std::string stored(std::string_view section, std::string_view key) const {
        return Class_Option(folder_ / "web.ini").GetOption(section, key);
    }

    QDialog* dialog(const char* name) const {
        return host_->ownerWindow()->findChild<QDialog*>(name);
    }
    template <class Widget>
    Widget* control(const char* dialogName, const char* name) const {
        auto* found = dialog(dialogName)->findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* dialogName, const char* button) const {
        QTest::mouseClick(control<QAbstractButton>(dialogName, button), Qt::LeftButton);
    }
    // Types at the end of a box, as the user would.
    void typeInto(QWidget* box, const QString& text) const {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);  // end of a multi-line box
        QTest::keyClick(box, Qt::Key_End);                       // end of a one-line box
        QTest::keyClicks(box, text);
    }

    // Types lines into the focused multi-line box, with Enter between them.
    void typeLines(QWidget* box, std::initializer_list<const char*> lines) const {
        bool first = true;
        for (const char* line : lines) {
            if (!std::exchange(first, false)) QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, QString::fromUtf8(line));
        }
    }

    std::filesystem::path folder_;
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<SettingsDialogs> dialogs_;
};

// The settings every test starts from, unless it changes some of them.
inline constexpr std::string_view kWebIni =
    "; settings\r\n"
    "[ueditor]\r\n"
    "toolbars=Standard\r\n"
    "wordCount=true\r\n"
    "elementPathEnabled=false\r\n"
    "initialFrameHeight=520\r\n"
    "pageBreakTag=_tag_\r\n"
    "initialStyle=p{margin:0}\r\n"
    "\r\n"
    "[auto_format]\r\n"
    "format=true\r\n"
    "conversion=same\r\n"
    "redundant=false\r\n"
    "\r\n"
    "[format]\r\n"
    "paragraphBeforeBlank=\u3000\u3000\r\n"
    "imageJustify=center\r\n"
    "imageCaptionText=center\r\n"
    "imageCaptionText_MaxLength=40\r\n"
    "imageCaptionText_EndSign=\u3002\r\n"
    "retainBold=true\r\n"
    "dateline=\u672c\u62a5\u8baf|-|\u65b0\u534e\u793e\r\n"
    "editorname=\uff08\u8d23\u4efb\u7f16\u8f91\uff1a\uff09\r\n"
    "conversionFile=conversion.txt\r\n"
    "redundantFile=redundant.txt\r\n"
    "\r\n"
    "[system]\r\n"
    "alwaysTop=false\r\n";

// kWebIni with the value of each named key replaced; a null value drops the key's line.
// Key names are unique across the sections of kWebIni.
inline std::string IniWith(
    std::initializer_list<std::pair<std::string_view, const char*>> changes) {
    std::string ini(kWebIni);
    for (const auto& [key, value] : changes) {
        const std::string head = "\n" + std::string(key) + "=";
        const auto at = ini.find(head) + 1;
        const auto end = ini.find("\r\n", at);
        if (value) {
            ini.replace(at + head.size() - 1, end - (at + head.size() - 1), value);
        } else {
            ini.erase(at, end + 2 - at);
        }
    }
    return ini;
}
