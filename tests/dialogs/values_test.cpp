// How each option dialog shows a stored value and what its Save stores, byte for byte.
#include <QLabel>

#include "dialog_fixture.h"

namespace {
struct LoadCase {
    DialogKind kind;
    const char* key;
    const char* value;    // null: the key is missing
    const char* control;  // null: what the box shows is not checked
    const char* shown;    // a group's checked id, or the text of a list or box
    const char* saved;    // by a Save without changes
};

// Lone LF and CR, trailing blanks, a no-break space and malformed UTF-8 are kept to the byte.
const LoadCase kLoadCases[] = {
    {kUeditor, "toolbars", "Extended", "Combo_toolbars", "扩展 - Extended", "Extended"},
    {kUeditor, "toolbars", "All", "Combo_toolbars", "完整 - All", "All"},
    {kUeditor, "toolbars", "extended", "Combo_toolbars", "", "extended"},
    {kUeditor, "toolbars", "Lite ", "Combo_toolbars", "", "Lite "},
    {kUeditor, "toolbars", "", "Combo_toolbars", "", ""},
    {kUeditor, "wordCount", "True", "Option_wordCount", "0", "false"},
    {kUeditor, "wordCount", nullptr, "Option_wordCount", "0", nullptr},
    {kUeditor, "alwaysTop", "true", nullptr, nullptr, "true"},
    {kUeditor, "elementPathEnabled", "true", "Option_elementPathEnabled", "1", "true"},
    {kUeditor, "initialFrameHeight", "5\n20 ", nullptr, nullptr, "5\n20 "},
    {kUeditor, "pageBreakTag", "\xE7\xAE tag\r", nullptr, nullptr, "\xE7\xAE tag\r"},
    {kUeditor, "initialStyle", "a\rb\nc\xC2\xA0 ", nullptr, nullptr, "a\rb\nc\xC2\xA0 "},
    {kAutoFormat, "alwaysTop", "true", nullptr, nullptr, "true"},
    {kAutoFormat, "alwaysTop", "True", nullptr, nullptr, "True"},
    {kAutoFormat, "format", "yes", "Option_format", "1", "false"},
    {kAutoFormat, "redundant", "true", "Option_redundant", "0", "true"},
    {kAutoFormat, "conversion", "traditional", "Option_Conversion", "1", "traditional"},
    {kAutoFormat, "conversion", "simplified", "Option_Conversion", "0", "simplified"},
    {kAutoFormat, "conversion", "Simplified", "Option_Conversion", "-1", "same"},
    {kAutoFormat, "conversion", "", "Option_Conversion", "-1", "same"},
    {kFormat, "retainBold", "True", "Option_retainBold", "1", "false"},
    {kFormat, "retainBold", "1", "Option_retainBold", "1", "false"},
    {kFormat, "retainBold", nullptr, "Option_retainBold", "1", nullptr},
    {kFormat, "imageJustify", "center", "Combo_imageJustify", "中心对齐 - center", "center"},
    {kFormat, "imageCaptionText", "Left", "Combo_imageCaptionText", "", "Left"},
    {kFormat, "imageCaptionText_MaxLength", "abc", "Text_imageCaptionText_MaxLength", "abc", "abc"},
    {kFormat, "dateline", "A|-|B\rC", "Text_dateline", "A\nB\nC", "A|-|B\rC"},
    {kFormat, "editorname", "A|-||-|B|-|C|-|", "Text_editorname", "A\n\nB\nC\n", "A|-||-|B|-|C|-|"},
};
}  // namespace

class StoredValue : public DialogTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(StoredValue, IsShownAndSavedBack) {
    const LoadCase& c = GetParam();
    start(IniWith({{c.key, c.value}}));
    QDialog* d = open(c.kind);
    // Only the auto-format dialog stays on top, and only for "true".
    const bool onTop = c.kind.open == kAutoFormat.open && std::string_view(c.key) == "alwaysTop" &&
                       std::string_view(c.value) == "true";
    EXPECT_EQ(d->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    EXPECT_TRUE(d->isVisible());
    if (c.control) {
        EXPECT_EQ(shown(c.control), QString::fromUtf8(c.shown));
    }
    click("Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), kBom + IniWith({{c.key, c.saved}}));
}
INSTANTIATE_TEST_SUITE_P(Values, StoredValue, ::testing::ValuesIn(kLoadCases));

namespace {
struct EditCase {
    DialogKind kind;
    const char* control;
    QKeySequence::StandardKey first;
    const char* typed;
    const char* key;
    const char* saved;
    const char* before = nullptr;  // the stored value, when not the usual one
};

constexpr auto kEnd = QKeySequence::MoveToEndOfLine;
constexpr auto kAll = QKeySequence::SelectAll;
const std::string kLongTag(40000, 'y');
const std::string kLongTagZ = kLongTag + "z";

const EditCase kEditCases[] = {
    {kUeditor, "Combo_toolbars", kEnd, "", "toolbars", "Lite"},
    {kUeditor, "Option_wordCount_0", {}, "", "wordCount", "false"},
    {kUeditor, "Option_elementPathEnabled_1", {}, "", "elementPathEnabled", "true"},
    {kUeditor, "Text_initialFrameHeight", kEnd, "px", "initialFrameHeight", "520px"},
    {kUeditor, "Text_pageBreakTag", kAll, "\b", "pageBreakTag", ""},
    // Longer than a one-line box holds by default.
    {kUeditor, "Text_pageBreakTag", kEnd, "z", "pageBreakTag", kLongTagZ.c_str(), kLongTag.c_str()},
    {kUeditor, "Text_initialStyle", kAll, "a{}\nb{}\nc{}", "initialStyle", "a{}b{}c{}"},
    {kAutoFormat, "Option_format_1", {}, "", "format", "false"},
    {kAutoFormat, "Option_Conversion_0", {}, "", "conversion", "simplified"},
    {kAutoFormat, "Option_Conversion_1", {}, "", "conversion", "traditional", "unknown"},
    {kAutoFormat, "Option_redundant_0", {}, "", "redundant", "true"},
    {kFormat, "Combo_imageJustify", QKeySequence::MoveToStartOfLine, "", "imageJustify", "none"},
    {kFormat, "Option_retainBold_1", {}, "", "retainBold", "false"},
    {kFormat, "Text_editorname", kAll, "A\n\nB|-|C\n", "editorname", "A|-||-|B|-|C|-|"},
    // The no-break space before the first line survives the edit of its box.
    {kFormat, "Text_dateline", QKeySequence::MoveToEndOfDocument, "\nB", "dateline",
     "\u00a0本报讯|-|新华社|-|B"},
};
}  // namespace

class EditedValue : public DialogTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditedValue, IsStoredAloneAsTyped) {
    const EditCase& c = GetParam();
    const std::string ini = c.before ? IniWith({{c.key, c.before}}) : kWebIni;
    start(ini);
    open(c.kind);
    edit(c.control, c.first, QString::fromUtf8(c.typed));
    click("Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), kBom + IniWith({{c.key, c.saved}}, ini));
}
INSTANTIATE_TEST_SUITE_P(Edits, EditedValue, ::testing::ValuesIn(kEditCases));

// Wrapped captions are drawn as rich text; screen readers still get the exact caption.
TEST_F(DialogTest, WrappedCaptionsKeepTheirExactTextForScreenReaders) {
    start(kWebIni);
    open(kFormat);
    EXPECT_EQ(control<QLabel>("Label_dateline")->accessibleName(),
              "文章电头：   （每行一个）  （支持html）");
}
