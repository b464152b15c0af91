// Form_Option_File_Edit: the two rule files, read and written whole.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dialog_fixture.h"
#include "text_rules.h"

namespace {
constexpr const char* kDialog = "Form_Option_File_Edit";
const std::string kConversion = std::string(kBom) + "软件|||軟體\r\n硬件|||硬體\r\n";
const std::string kRedundant = std::string(kBom) + "的的|||的\n";
}  // namespace

class FileEditTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        writeFile("conversion.txt", kConversion);
        writeFile("redundant.txt", kRedundant);
    }
    QPlainTextEdit* box() const { return control<QPlainTextEdit>(kDialog, "Text_File_content"); }
    std::string caption() const {
        return (dialog(kDialog)->windowTitle() + "/" +
                control<QLabel>(kDialog, "Label_File_instructions")->text())
            .toStdString();
    }
    const std::string conversionCaption =
        "简繁转换/简繁转换 每组一行 简体字在前 繁体字在后 用|||分割";
    const std::string redundantCaption = "错误更正 冗余去除/错误更正 冗余去除:具体规则看下文";
};

TEST_F(FileEditTest, EachCommandShowsItsFileWithItsCaption) {
    start(kWebIni);
    dialogs_->openRedundantFile();
    EXPECT_EQ(caption(), redundantCaption);
    EXPECT_EQ(box()->toPlainText(), "的的|||的\n");
    EXPECT_FALSE(host_->editorEnabled);
    EXPECT_TRUE(dialog(kDialog)->close());
    EXPECT_TRUE(host_->editorEnabled);
    dialogs_->openConversionFile();
    EXPECT_EQ(caption(), conversionCaption);
    EXPECT_EQ(box()->toPlainText(), "软件|||軟體\n硬件|||硬體\n");
    click(kDialog, "Command_Cancel");
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant);
    EXPECT_EQ(host_->refreshes, 0);
}

TEST_F(FileEditTest, SaveWritesTheSameTextOrTheEditWithTheFilesLineBreak) {
    writeFile("rules/one line.txt", "a");
    start(IniWith({{"conversionFile", "rules/one line.txt"}}));
    dialogs_->openRedundantFile();
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant);
    EXPECT_EQ(host_->refreshes, 1);
    EXPECT_FALSE(dialog(kDialog)->isVisible());

    dialogs_->openRedundantFile();
    typeInto(box(), "x");
    typeLines(box(), {"", "y"});
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant + "x\ny");

    // A file without line breaks gets CR LF; a file in a subfolder is found as named.
    dialogs_->openConversionFile();
    typeInto(box(), "");
    typeLines(box(), {"", "b"});
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("rules/one line.txt"), std::string(kBom) + "a\r\nb");
}

TEST_F(FileEditTest, AnEmptyFileStaysEmpty) {
    writeFile("redundant.txt", "");
    start(kWebIni);
    dialogs_->openRedundantFile();
    EXPECT_TRUE(box()->toPlainText().isEmpty());
    click(kDialog, "Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), "");
    EXPECT_EQ(host_->refreshes, 1);
}

class UnreadableRuleFile : public FileEditTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(UnreadableRuleFile, IsNamedAndCannotBeSavedOver) {
    start(IniWith({{"conversionFile", GetParam()}}));
    dialogs_->openConversionFile();
    ASSERT_EQ(host_->errors.size(), 1);
    EXPECT_TRUE(host_->errors[0].contains(QString::fromStdString(folder_.string())));
    EXPECT_TRUE(host_->errors[0].contains(GetParam()));
    EXPECT_FALSE(control<QPushButton>(kDialog, "Command_Save")->isEnabled());
    EXPECT_TRUE(box()->isReadOnly());
    click(kDialog, "Command_Save");
    EXPECT_TRUE(dialog(kDialog)->isVisible());
    // Another file can be opened without a question.
    dialogs_->openRedundantFile();
    EXPECT_TRUE(host_->questions.isEmpty());
    EXPECT_EQ(box()->toPlainText(), "的的|||的\n");
    EXPECT_TRUE(control<QPushButton>(kDialog, "Command_Save")->isEnabled());
    EXPECT_EQ(host_->refreshes, 0);
}
INSTANTIATE_TEST_SUITE_P(Cases, UnreadableRuleFile, ::testing::Values("missing.txt", ""));

TEST_F(FileEditTest, AFileThatIsNotUtf8IsReplacedOnlyAfterAsking) {
    const std::string gbk = "\xBC\xF2\xB7\xB1|||\xBC\xF2\r\n";
    writeFile("conversion.txt", gbk);
    start(kWebIni);
    dialogs_->openConversionFile();
    ASSERT_EQ(host_->errors.size(), 1);
    EXPECT_TRUE(host_->errors[0].contains("UTF-8"));
    // Unchanged, its bytes stay exactly as they were: not even a byte-order mark is added.
    click(kDialog, "Command_Save");
    EXPECT_TRUE(host_->confirms.isEmpty());
    EXPECT_EQ(fileBytes("conversion.txt"), gbk);

    dialogs_->openConversionFile();
    typeInto(box(), "x");
    host_->confirmAnswer = false;
    click(kDialog, "Command_Save");
    EXPECT_EQ(host_->confirms.size(), 1);
    EXPECT_EQ(fileBytes("conversion.txt"), gbk);
    EXPECT_TRUE(dialog(kDialog)->isVisible());
    host_->confirmAnswer = true;
    click(kDialog, "Command_Save");
    const std::string written = fileBytes("conversion.txt");
    EXPECT_TRUE(IsValidUtf8(written));
    EXPECT_TRUE(written.ends_with("|||\xEF\xBF\xBD\xEF\xBF\xBD\r\nx"));
    EXPECT_EQ(host_->refreshes, 2);
}

TEST_F(FileEditTest, SwitchingFilesNeverWritesOneFileIntoTheOther) {
    start(kWebIni);
    dialogs_->openConversionFile();
    typeInto(box(), "edit");
    // The same command again keeps the unsaved text.
    dialogs_->openConversionFile();
    EXPECT_TRUE(box()->toPlainText().endsWith("edit"));

    host_->choiceAnswer = DialogHost::Choice::Stay;
    dialogs_->openRedundantFile();
    EXPECT_EQ(host_->questions.size(), 1);
    EXPECT_EQ(caption(), conversionCaption);
    EXPECT_TRUE(box()->toPlainText().endsWith("edit"));

    host_->choiceAnswer = DialogHost::Choice::Discard;
    dialogs_->openRedundantFile();
    EXPECT_EQ(caption(), redundantCaption);
    EXPECT_EQ(box()->toPlainText(), "的的|||的\n");
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);

    typeInto(box(), "Z");
    host_->choiceAnswer = DialogHost::Choice::Save;
    dialogs_->openConversionFile();
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant + "Z");
    EXPECT_EQ(caption(), conversionCaption);
    EXPECT_EQ(box()->toPlainText(), "软件|||軟體\n硬件|||硬體\n");
    EXPECT_EQ(host_->refreshes, 1);

    // Without changes the other file simply loads.
    dialogs_->openRedundantFile();
    EXPECT_EQ(host_->questions.size(), 3);
    EXPECT_EQ(caption(), redundantCaption);
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);
    EXPECT_FALSE(host_->editorEnabled);
}
