// Saves that cannot store everything, or would undo another program's change, say so.
#include <map>

#include "dialog_fixture.h"
#include "line_breaks.h"

// The "missingKeys" table: Save stores the others and names what web.ini lacks.
TEST_F(DialogTest, SaveWithKeysMissingStoresTheOthersAndNamesTheMissing) {
    for (const Json& c : kTables.at("missingKeys")) {
        SCOPED_TRACE(c.dump());
        std::string ini = kWebIni;
        for (const std::string key : c.at("dropped")) ini = IniWith(key, std::nullopt, ini);
        start(ini);
        QDialog* d = open(KindNamed(c.at("dialog")));
        edit(c.at("edit").get<std::string>().c_str());
        click("Command_Save");

        const std::string written = fileBytes("web.ini");
        EXPECT_NE(written.find(c.at("stored").get<std::string>()), std::string::npos) << written;
        ASSERT_EQ(host_->errors.size(), 1);
        const QString& message = host_->errors[0];
        for (const std::string key : c.at("dropped")) {
            EXPECT_EQ(written.find("\n" + key + "="), std::string::npos) << key;
            EXPECT_TRUE(message.contains(QString::fromStdString(key))) << key;
        }
        for (const std::string& part :
             {std::string("没有保存"), std::string("安装包"), (folder_ / "web.ini").string()}) {
            EXPECT_TRUE(message.contains(QString::fromStdString(part))) << part;
        }
        // The rest was saved, so the page reloads and the dialog closes as after any Save.
        EXPECT_EQ(host_->refreshes, 1);
        EXPECT_FALSE(d->isVisible());
    }
}

// A web.ini with LF line ends is read and saved like any other; one holding none of the keys
// gets the message for every key, and keeps its bytes.
TEST_F(DialogTest, LfFilesSaveWithLfAndKeylessFilesAreReported) {
    start(WithLf(kWebIni));
    open(kUeditor);
    EXPECT_EQ(shown("Combo_toolbars"), QStringLiteral("标准 - Standard"));
    edit("Option_wordCount_0");
    click("Command_Save");
    EXPECT_TRUE(host_->errors.isEmpty());
    EXPECT_EQ(fileBytes("web.ini"), kBom + WithLf(IniWith("wordCount", "false")));

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

// The "outsideChanges" table: a change made by another program is never undone without asking.
TEST_F(DialogTest, OutsideChangesAreNeverUndoneWithoutAsking) {
    using Choice = MessageBoxes::Choice;
    const std::map<std::string, Choice> answers{
        {"Save", Choice::Save}, {"Discard", Choice::Discard}, {"Stay", Choice::Stay}};
    for (const Json& c : kTables.at("outsideChanges")) {
        SCOPED_TRACE(c.dump());
        const bool overwritten = c.at("overwritten");
        start();
        QDialog* d = open(kUeditor);
        edit("Option_wordCount_0");
        const std::string outside = kBom + IniWith("toolbars", "Lite");
        writeFile("web.ini", outside);
        host_->choiceAnswer = answers.at(c.at("answer"));
        click("Command_Save");

        ASSERT_EQ(host_->questions.size(), 1);
        EXPECT_TRUE(host_->questions[0].contains(QStringLiteral("被其他程序修改")));
        EXPECT_EQ(fileBytes("web.ini"),
                  overwritten ? kBom + IniWith("wordCount", "false") : outside);
        EXPECT_EQ(d->isVisible(), c.contains("toolbars"));
        EXPECT_EQ(host_->refreshes, overwritten ? 1 : 0);
        if (c.contains("toolbars")) {
            EXPECT_EQ(shown("Combo_toolbars"), QString::fromStdString(c["toolbars"]));
        }
        // Once overwritten or read again, the next Save asks no more.
        host_->choiceAnswer = Choice::Stay;
        open(kUeditor);
        click("Command_Save");
        EXPECT_EQ(host_->questions.size(), c["answer"] == "Stay" ? 2 : 1);
    }
}
