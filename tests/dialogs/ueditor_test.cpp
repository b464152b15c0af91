// Form_Option_Ueditor: section "ueditor", on button on the right.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "dialog_fixture.h"

namespace {
constexpr const char* kDialog = "Form_Option_Ueditor";
}

struct ToolbarsCase {
    const char* stored;
    int shown;
};
class UeditorToolbars : public DialogTest, public ::testing::WithParamInterface<ToolbarsCase> {};

TEST_P(UeditorToolbars, SelectsTheExactCodeAndNeverDropsAnUnknownOne) {
    start(IniWith({{"toolbars", GetParam().stored}}));
    dialogs_->openUeditor();
    EXPECT_EQ(control<QComboBox>(kDialog, "Combo_toolbars")->currentIndex(), GetParam().shown);
    click(kDialog, "Command_Save");
    EXPECT_EQ(stored("ueditor", "toolbars"), GetParam().stored);
}
INSTANTIATE_TEST_SUITE_P(Codes, UeditorToolbars,
                         ::testing::Values(ToolbarsCase{"Extended", 1}, ToolbarsCase{"All", 0},
                                           ToolbarsCase{"extended", -1}, ToolbarsCase{"", -1},
                                           ToolbarsCase{"Lite ", -1}));

TEST_F(DialogTest, UeditorStoresTheChosenValues) {
    start(IniWith({{"wordCount", "True"}, {"elementPathEnabled", "true"}}));
    dialogs_->openUeditor();
    // Anything but "true" reads as off.
    EXPECT_TRUE(control<QRadioButton>(kDialog, "Option_wordCount_0")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(kDialog, "Option_elementPathEnabled_1")->isChecked());
    QTest::keyClick(control<QComboBox>(kDialog, "Combo_toolbars"), Qt::Key_End);
    click(kDialog, "Option_elementPathEnabled_0");
    auto* height = control<QLineEdit>(kDialog, "Text_initialFrameHeight");
    typeInto(height, "px");
    auto* tag = control<QLineEdit>(kDialog, "Text_pageBreakTag");
    tag->selectAll();
    QTest::keyClick(tag, Qt::Key_Delete);
    auto* style = control<QPlainTextEdit>(kDialog, "Text_initialStyle");
    style->selectAll();
    QTest::keyClicks(style, "a{}");
    QTest::keyClick(style, Qt::Key_Return);
    QTest::keyClicks(style, "b{}");
    QTest::keyClick(style, Qt::Key_Return);
    QTest::keyClicks(style, "c{}");
    click(kDialog, "Command_Save");

    EXPECT_EQ(stored("ueditor", "toolbars"), "Lite");
    EXPECT_EQ(stored("ueditor", "wordCount"), "false");
    EXPECT_EQ(stored("ueditor", "elementPathEnabled"), "false");
    EXPECT_EQ(stored("ueditor", "initialFrameHeight"), "520px");
    EXPECT_EQ(stored("ueditor", "pageBreakTag"), "");
    EXPECT_EQ(stored("ueditor", "initialStyle"), "a{}b{}c{}");
    dialogs_->openUeditor();
    EXPECT_EQ(style->toPlainText(), "a{}b{}c{}");
}

TEST_F(DialogTest, UeditorKeepsUntouchedValuesToTheByte) {
    // Lone LF and CR, trailing blanks, a no-break space and malformed UTF-8.
    const std::string ini = IniWith({{"initialFrameHeight", "5\n20 "},
                                     {"pageBreakTag", "\xE7\xAE tag\r"},
                                     {"initialStyle", "a\rb\nc\xC2\xA0 "}});
    start(ini);
    dialogs_->openUeditor();
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), std::string(kBom) + ini);
}

TEST_F(DialogTest, UeditorEditsAValueLongerThanALineEditHoldsByDefault) {
    const std::string tag(40000, 'y');
    start(IniWith({{"pageBreakTag", tag.c_str()}}));
    dialogs_->openUeditor();
    typeInto(control<QLineEdit>(kDialog, "Text_pageBreakTag"), "z");
    click(kDialog, "Command_Save");
    EXPECT_EQ(stored("ueditor", "pageBreakTag"), tag + "z");
}

TEST_F(DialogTest, UeditorDoesNotAddAMissingKey) {
    start(IniWith({{"wordCount", nullptr}}));
    dialogs_->openUeditor();
    EXPECT_TRUE(control<QRadioButton>(kDialog, "Option_wordCount_0")->isChecked());
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), std::string(kBom) + IniWith({{"wordCount", nullptr}}));
}
