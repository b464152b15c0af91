// Form_Option_File_Edit: the two rule files, read and written whole.
#include <sys/stat.h>
#include <QLabel>
#include <QPushButton>

#include "dialog_fixture.h"
#include "text_rules.h"

namespace {
const std::string kConversion = kBom + "软件|||軟體\r\n硬件|||硬體\r\n";
const std::string kRedundant = kBom + "的的|||的\n";
const std::string kConversionCaption = "简繁转换/简繁转换 每组一行 简体字在前 繁体字在后 用|||分割";
const std::string kRedundantCaption = "错误更正 冗余去除/错误更正 冗余去除:具体规则看下文";
constexpr auto kEnd = QKeySequence::MoveToEndOfDocument;
}  // namespace

class FileEditTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        writeFile("conversion.txt", kConversion);
        writeFile("redundant.txt", kRedundant);
    }
    // The window caption and the instruction.
    std::string caption() const {
        return (dialog(current_)->windowTitle() + "/" +
                control<QLabel>("Label_File_instructions")->text())
            .toStdString();
    }
    QString text() const { return shown("Text_File_content"); }
};

TEST_F(FileEditTest, EachCommandShowsItsFileAndSavesItBack) {
    writeFile("rules/one line.txt", "a");
    start(IniWith("conversionFile", "rules/one line.txt"));
    QDialog* d = open(kRedundantFile);
    EXPECT_EQ(caption(), kRedundantCaption);
    EXPECT_EQ(text(), "的的|||的\n");
    EXPECT_TRUE(d->close());
    // Every loading starts with the conversion texts; a file in a subfolder is found as named.
    open(kConversionFile);
    EXPECT_EQ(caption(), kConversionCaption);
    EXPECT_EQ(text(), "a");
    click("Command_Cancel");

    // Without changes Save writes the same bytes; an edit keeps the file's line break, and a
    // file without one gets CR LF.
    open(kRedundantFile);
    click("Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant);
    EXPECT_FALSE(d->isVisible());
    open(kRedundantFile);
    edit("Text_File_content", kEnd, "x\ny");
    click("Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant + "x\ny");
    open(kConversionFile);
    edit("Text_File_content", kEnd, "\nb");
    click("Command_Save");
    EXPECT_EQ(fileBytes("rules/one line.txt"), kBom + "a\r\nb");

    // An empty file stays empty.
    writeFile("redundant.txt", "");
    open(kRedundantFile);
    EXPECT_EQ(text(), "");
    click("Command_Save");
    EXPECT_EQ(fileBytes("redundant.txt"), "");
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);
    // One refresh for each Save, none for the close box and "关闭".
    EXPECT_EQ(host_->refreshes, 4);
}

// The "unreadableRuleFiles" table: a missing file, a folder, a FIFO or a device (refused at once
// before any read blocks) is named with a reason and cannot be saved over.
TEST_F(FileEditTest, UnreadableRuleFilesAreNamedWithAReasonAndCannotBeSavedOver) {
    for (const Json& c : kTables.at("unreadableRuleFiles")) {
        SCOPED_TRACE(c.dump());
        const std::string file = c.at("file");
        start(IniWith("conversionFile", file));
        if (c.value("fifo", false)) {
            ASSERT_EQ(::mkfifo((folder_ / file).c_str(), 0600), 0);
        }
        if (c.contains("linkTo"))
            fs::create_symlink(c["linkTo"].get<std::string>(), folder_ / file);
        QDialog* d = open(kConversionFile);
        ASSERT_EQ(host_->errors.size(), 1);
        for (const std::string& part :
             {folder_.string(), file, c.at("reason").get<std::string>()}) {
            EXPECT_TRUE(host_->errors[0].contains(QString::fromStdString(part))) << part;
        }
        EXPECT_FALSE(control("Command_Save")->isEnabled());
        EXPECT_TRUE(control<QPlainTextEdit>("Text_File_content")->isReadOnly());
        click("Command_Save");
        EXPECT_TRUE(d->isVisible());
        // Another file can be opened without a question.
        open(kRedundantFile);
        EXPECT_TRUE(host_->questions.isEmpty());
        EXPECT_EQ(text(), "的的|||的\n");
        EXPECT_TRUE(control("Command_Save")->isEnabled());
        EXPECT_EQ(host_->refreshes, 0);
    }
}

TEST_F(FileEditTest, AFileThatIsNotUtf8IsReplacedOnlyAfterAsking) {
    const std::string gbk = "\xBC\xF2\xB7\xB1|||\xBC\xF2\r\n";
    writeFile("conversion.txt", gbk);
    start();
    QDialog* d = open(kConversionFile);
    ASSERT_EQ(host_->errors.size(), 1);
    EXPECT_TRUE(host_->errors[0].contains("UTF-8"));
    // Unchanged, its bytes stay exactly as they were: not even a byte-order mark is added.
    click("Command_Save");
    EXPECT_TRUE(host_->confirms.isEmpty());
    EXPECT_EQ(fileBytes("conversion.txt"), gbk);

    open(kConversionFile);
    edit("Text_File_content", kEnd, "x");
    // The fake host answers no first.
    click("Command_Save");
    EXPECT_EQ(host_->confirms.size(), 1);
    EXPECT_EQ(fileBytes("conversion.txt"), gbk);
    EXPECT_TRUE(d->isVisible());
    host_->confirmAnswer = true;
    click("Command_Save");
    // Each malformed byte becomes U+FFFD.
    EXPECT_EQ(fileBytes("conversion.txt"), kBom + "\uFFFD\uFFFD\uFFFD\uFFFD|||\uFFFD\uFFFD\r\nx");
    EXPECT_EQ(host_->refreshes, 2);
}

TEST_F(FileEditTest, SwitchingFilesNeverWritesOneFileIntoTheOther) {
    start();
    open(kConversionFile);
    edit("Text_File_content", kEnd, "edit");
    // The same command again keeps the unsaved text.
    open(kConversionFile);
    EXPECT_TRUE(text().endsWith("edit"));

    host_->choiceAnswer = MessageBoxes::Choice::Stay;
    open(kRedundantFile);
    EXPECT_EQ(host_->questions.size(), 1);
    EXPECT_EQ(caption(), kConversionCaption);
    EXPECT_TRUE(text().endsWith("edit"));

    host_->choiceAnswer = MessageBoxes::Choice::Discard;
    open(kRedundantFile);
    EXPECT_EQ(caption(), kRedundantCaption);
    EXPECT_EQ(text(), "的的|||的\n");
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);

    edit("Text_File_content", kEnd, "Z");
    host_->choiceAnswer = MessageBoxes::Choice::Save;
    open(kConversionFile);
    EXPECT_EQ(fileBytes("redundant.txt"), kRedundant + "Z");
    EXPECT_EQ(caption(), kConversionCaption);
    EXPECT_EQ(text(), "软件|||軟體\n硬件|||硬體\n");
    EXPECT_EQ(host_->refreshes, 1);

    // Without changes the other file simply loads.
    open(kRedundantFile);
    EXPECT_EQ(host_->questions.size(), 3);
    EXPECT_EQ(caption(), kRedundantCaption);
    EXPECT_EQ(fileBytes("conversion.txt"), kConversion);
    EXPECT_FALSE(host_->editorEnabled);
}
