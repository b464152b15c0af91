// The menu bar: every command has a Chinese caption and does what its kind of command does, and
// what each address and tool command asks of the desktop.

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "shell_fixture.h"
#include "web_addresses.h"

namespace {

bool isChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c >= u'\u4E00' && c <= u'\u9FFF'; });
}

// The configured address of the role a command opens, by the command's name; null for the
// commands that open none.
const char* roleAddress(const QString& name) {
    const std::pair<const char*, const char*> roles[] = {
        {"mnuDict_", CORVEL_DICTIONARY_ADDRESS}, {"mnuTools_web_", CORVEL_TOOLS_ADDRESS},
        {"mnuArticle_", CORVEL_ARTICLE_ADDRESS}, {"mnuHelp_help", CORVEL_HELP_ADDRESS},
        {"mnuHelp_update", CORVEL_HELP_ADDRESS}, {"munLink_", CORVEL_HOME_ADDRESS}};
    for (const auto& [prefix, address] : roles)
        if (name.startsWith(QLatin1String(prefix))) return address;
    return nullptr;
}

// Every command of the menus and of the bar itself is plain (no shortcut, no access key), has a
// Chinese caption and does one thing: opens its role's address, starts a tool (none installed
// here: the message names the tool by the caption), opens the settings dialog of its name or
// caption, or the About window.
TEST_F(ShellTest, EveryCommandDoesWhatItsKindOfCommandDoes) {
    // The rule files of the shipped web.ini, for their commands to open rather than complain.
    for (const char* name : {"conversion.txt", "redundant.txt"})
        ASSERT_TRUE(WriteFileBytes(file(name)));
    std::vector<QAction*> commands;
    for (QAction* item : main()->menuBar()->actions()) {
        if (!item->menu()) {
            commands.push_back(item);
            continue;
        }
        EXPECT_TRUE(isChinese(item->menu()->title())) << item->menu()->title().toStdString();
        for (QAction* entry : item->menu()->actions())
            if (!entry->isSeparator()) commands.push_back(entry);
    }
    std::map<std::string, int> kinds;
    for (QAction* action : commands) {
        const QString name = action->objectName();
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(isChinese(action->text()));
        EXPECT_FALSE(action->text().contains(QLatin1Char('&')));
        EXPECT_TRUE(action->shortcut().isEmpty() && action->isEnabled() && action->isVisible());
        platform.opened.clear();
        platform.errors.clear();
        action->trigger();
        QStringList shown;
        for (QDialog* dialog : main()->findChildren<QDialog*>()) {
            if (dialog->isVisible() && (dialog->objectName() == QStringLiteral("Form_") + name ||
                                        dialog->windowTitle() == action->text()))
                shown << dialog->objectName();
            dialog->hide();
        }
        if (const char* address = roleAddress(name)) {
            ++kinds["address"];
            // An empty configured address stands for the help page in the program folder.
            const QUrl url = *address ? QUrl(QString::fromUtf8(address))
                                      : QUrl::fromLocalFile(file("help.html"));
            EXPECT_EQ(platform.opened, std::vector<QUrl>{url});
            EXPECT_TRUE(url.isValid() && !url.host().contains(QLatin1String("example")));
        } else if (!platform.errors.isEmpty()) {
            ++kinds["tool"];
            EXPECT_TRUE(platform.errors.first().contains(action->text()));
        } else if (!shown.isEmpty()) {
            ++kinds["dialog"];
        } else if (Form_About* about = Form_About::instance(); about && about->isVisible()) {
            ++kinds["about"];
            about->close();
        }
        EXPECT_TRUE(platform.started.isEmpty());
        EXPECT_LE(platform.opened.size() + platform.errors.size() + shown.size(), 1u);
    }
    const std::map<std::string, int> expected{
        {"address", 25}, {"tool", 3}, {"dialog", 5}, {"about", 1}};
    EXPECT_EQ(kinds, expected);
}

TEST_F(ShellTest, ToolCommandsStartTheFirstInstalledToolOrNameIt) {
    // Later names of each list are installed, and the calculator twice over.
    platform.installed = {QStringLiteral("xcalc"), QStringLiteral("galculator"),
                          QStringLiteral("pluma"), QStringLiteral("xterm")};
    const QStringList expected = {QStringLiteral("galculator"), QStringLiteral("pluma"),
                                  QStringLiteral("xterm"), QStringLiteral("galculator")};
    for (const char* name : {"mnuTools_calc", "mnuTools_notepad", "mnuTools_cmd", "mnuTools_calc"})
        trigger(name);
    EXPECT_EQ(platform.started, expected);
    EXPECT_TRUE(platform.errors.isEmpty());
    EXPECT_TRUE(platform.opened.empty());

    // Found but failing to start: the message names the program.
    platform.toolsStart = false;
    trigger("mnuTools_notepad");
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains(expected[1]));
    EXPECT_TRUE(main()->isVisible());
}

}  // namespace
