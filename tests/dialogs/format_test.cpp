// Form_Option_format: section "format", lists of lines stored with "|-|".
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "dialog_fixture.h"

namespace {
constexpr const char* kDialog = "Form_Option_format";
}

class FormatRetainBold : public DialogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FormatRetainBold, AnythingButTrueSelectsDoNotRetain) {
    start(IniWith({{"retainBold", GetParam()}}));
    dialogs_->openFormat();
    EXPECT_TRUE(control<QRadioButton>(kDialog, "Option_retainBold_1")->isChecked());
    click(kDialog, "Command_Save");
    EXPECT_EQ(stored("format", "retainBold"), GetParam() ? "false" : "");
}
INSTANTIATE_TEST_SUITE_P(Values, FormatRetainBold, ::testing::Values("True", "1", "", nullptr));

TEST_F(DialogTest, FormatShowsListsAsLinesAndKeepsWhatItDoesNotKnow) {
    const std::string ini = IniWith({{"imageCaptionText", "Left"},
                                     {"imageCaptionText_MaxLength", "abc"},
                                     {"dateline", "A|-|B\rC"}});
    start(ini);
    dialogs_->openFormat();
    EXPECT_EQ(control<QComboBox>(kDialog, "Combo_imageJustify")->currentText(),
              "中心对齐 - center");
    EXPECT_EQ(control<QComboBox>(kDialog, "Combo_imageCaptionText")->currentIndex(), -1);
    EXPECT_EQ(control<QPlainTextEdit>(kDialog, "Text_dateline")->toPlainText(), "A\nB\nC");
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), std::string(kBom) + ini);
}

TEST_F(DialogTest, FormatStoresTypedLinesWithSeparators) {
    start(IniWith({{"dateline",
                    "\xC2\xA0"
                    "A"}}));
    dialogs_->openFormat();
    auto* editors = control<QPlainTextEdit>(kDialog, "Text_editorname");
    editors->selectAll();
    typeLines(editors, {"A", "", "B|-|C", ""});
    auto* datelines = control<QPlainTextEdit>(kDialog, "Text_dateline");
    typeInto(datelines, "");
    typeLines(datelines, {"", "B"});
    click(kDialog, "Option_retainBold_1");
    QTest::keyClick(control<QComboBox>(kDialog, "Combo_imageJustify"), Qt::Key_Home);
    click(kDialog, "Command_Save");

    EXPECT_EQ(stored("format", "editorname"), "A|-||-|B|-|C|-|");
    // The no-break space survives the edit of its box.
    EXPECT_EQ(stored("format", "dateline"),
              "\xC2\xA0"
              "A|-|B");
    EXPECT_EQ(stored("format", "retainBold"), "false");
    EXPECT_EQ(stored("format", "imageJustify"), "none");
    dialogs_->openFormat();
    EXPECT_EQ(editors->toPlainText(), "A\n\nB\nC\n");
}

TEST_F(DialogTest, FormatLabelsKeepTheirBlanks) {
    start(kWebIni);
    dialogs_->openFormat();
    EXPECT_EQ(control<QLabel>(kDialog, "Label_imageCaptionText_EndSign")->text(), "字  不以");
    EXPECT_EQ(control<QLabel>(kDialog, "Label_dateline")->accessibleName(),
              "文章电头：   （每行一个）  （支持html）");
    EXPECT_EQ(control<QLabel>(kDialog, "Label_editorname")->accessibleName(),
              "责任编辑：   （每行一个）  （支持html）");
    EXPECT_EQ(dialog(kDialog)->windowTitle(), "图片对齐");
}
