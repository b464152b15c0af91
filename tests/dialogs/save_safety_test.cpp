// Saves that cannot store everything, or would undo another program's change, say so.
#include "dialog_fixture.h"

namespace {

std::string WithLf(std::string text) {
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
    return text;
}

struct MissingKeyCase {
    DialogKind kind;
    std::vector<const char*> dropped;  // keys taken out of web.ini
    const char* toggled;               // a button that changes a key the file still holds
    std::string_view storedLine;       // the line that Save must still write
};

const MissingKeyCase kMissingKeyCases[] = {
    {kUeditor,
     {"wordCount", "initialStyle"},
     "Option_elementPathEnabled_1",
     "\nelementPathEnabled=true\r\n"},
    {kAutoFormat, {"conversion"}, "Option_redundant_0", "\nredundant=true\r\n"},
    {kFormat, {"dateline", "editorname"}, "Option_retainBold_1", "\nretainBold=false\r\n"},
};

}  // namespace

class MissingKeys : public DialogTest, public ::testing::WithParamInterface<MissingKeyCase> {};

TEST_P(MissingKeys, SaveStoresTheOthersAndNamesWhatWebIniLacks) {
    const MissingKeyCase& c = GetParam();
    std::string ini = kWebIni;
    for (const char* key : c.dropped) ini = IniWith({{key, nullptr}}, ini);
    start(ini);
    QDialog* d = open(c.kind);
    edit(c.toggled);
    click("Command_Save");

    const std::string written = fileBytes("web.ini");
    EXPECT_NE(written.find(c.storedLine), std::string::npos) << written;
    for (const char* key : c.dropped) {
        EXPECT_EQ(written.find("\n" + std::string(key) + "="), std::string::npos) << key;
    }
    ASSERT_EQ(host_->errors.size(), 1);
    const QString& message = host_->errors[0];
    for (const char* key : c.dropped) EXPECT_TRUE(message.contains(key)) << key;
    EXPECT_TRUE(message.contains(QStringLiteral("没有保存")));
    EXPECT_TRUE(message.contains(QStringLiteral("安装包")));
    EXPECT_TRUE(message.contains(QString::fromStdString((folder_ / "web.ini").string())));
    // The rest was saved, so the page reloads and the dialog closes as after any Save.
    EXPECT_EQ(host_->refreshes, 1);
    EXPECT_FALSE(d->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, MissingKeys, ::testing::ValuesIn(kMissingKeyCases),
                         [](const auto& param) { return std::string(param.param.kind.name); });

using WebIniContents = DialogTest;

// A web.ini with LF line ends is read and saved like any other; one holding none of the keys
// gets the message for every key, and keeps its bytes.
TEST_F(WebIniContents, LfFilesSaveWithLfAndKeylessFilesAreReported) {
    start(WithLf(kWebIni));
    open(kUeditor);
    EXPECT_EQ(shown("Combo_toolbars"), QStringLiteral("标准 - Standard"));
    edit("Option_wordCount_0");
    click("Command_Save");
    EXPECT_TRUE(host_->errors.isEmpty());
    EXPECT_EQ(fileBytes("web.ini"), kBom + WithLf(IniWith({{"wordCount", "false"}})));

    for (const std::string& bytes :
         {std::string(), std::string("\0\x01 garbage \xFF", 12), std::string("[\0u\0e\0d\0", 8)}) {
        start(bytes);
        open(kUeditor);
        click("Command_Save");
        ASSERT_EQ(host_->errors.size(), 1);
        EXPECT_TRUE(host_->errors[0].contains("toolbars") &&
                    host_->errors[0].contains("initialStyle"));
        EXPECT_EQ(fileBytes("web.ini"), kBom + bytes);
    }
}

struct OutsideChangeCase {
    const char* name;
    MessageBoxes::Choice answer;
    bool overwritten;  // web.ini holds the dialog's values afterwards
    bool open;         // the dialog is still open
    QString toolbars;  // what the list shows afterwards, if still open
};

class OutsideChange : public DialogTest, public ::testing::WithParamInterface<OutsideChangeCase> {};

TEST_P(OutsideChange, IsNeverUndoneWithoutAsking) {
    const OutsideChangeCase& c = GetParam();
    start(kWebIni);
    QDialog* d = open(kUeditor);
    edit("Option_wordCount_0");
    const std::string outside = kBom + IniWith({{"toolbars", "Lite"}});
    writeFile("web.ini", outside);
    host_->choiceAnswer = c.answer;
    click("Command_Save");

    ASSERT_EQ(host_->questions.size(), 1);
    EXPECT_TRUE(host_->questions[0].contains(QStringLiteral("被其他程序修改")));
    EXPECT_EQ(fileBytes("web.ini"),
              c.overwritten ? kBom + IniWith({{"wordCount", "false"}}) : outside);
    EXPECT_EQ(d->isVisible(), c.open);
    EXPECT_EQ(host_->refreshes, c.overwritten ? 1 : 0);
    if (c.open) {
        EXPECT_EQ(shown("Combo_toolbars"), c.toolbars);
    }

    // Once overwritten or read again, the next Save asks no more.
    host_->choiceAnswer = MessageBoxes::Choice::Stay;
    open(kUeditor);
    click("Command_Save");
    EXPECT_EQ(host_->questions.size(), c.answer == MessageBoxes::Choice::Stay ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OutsideChange,
    ::testing::Values(OutsideChangeCase{"overwrite", MessageBoxes::Choice::Save, true, false, {}},
                      OutsideChangeCase{"reload", MessageBoxes::Choice::Discard, false, true,
                                        QStringLiteral("精简 - Lite")},
                      OutsideChangeCase{"stay", MessageBoxes::Choice::Stay, false, true,
                                        QStringLiteral("标准 - Standard")}),
    [](const auto& param) { return std::string(param.param.name); });
