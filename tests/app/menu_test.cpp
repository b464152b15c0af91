// The menu bar: its tree as designed, and what each address and tool command asks of the desktop.

#include <QMenu>
#include <QMenuBar>
#include <utility>
#include <vector>

#include "shell_fixture.h"
#include "web_addresses.h"

namespace {

using Entry = std::pair<const char*, const char*>;  // object name, caption ("-": separator)
struct ExpectedMenu {
    const char* name;
    const char* title;
    std::vector<Entry> entries;
};

// The menus, left to right; one row per group between separators.
// clang-format off
const std::vector<ExpectedMenu> kExpectedMenus = {
    {"Option", "选项", {
        {"Option_Ueditor", "编辑器设置"}, {"Option_auto_format", "自动格式化设置"},
        {"Option_format", "格式化选项"},
        {"Option_Bar0", "-"},
        {"Option_conversionFile", "简繁转换"}, {"Option_redundantFile", "错误更正 冗余去除"}}},
    {"mnuTools", "工具", {
        {"mnuTools_calc", "计算器"}, {"mnuTools_notepad", "记事本"}, {"mnuTools_cmd", "命令行"},
        {"mnuTools_Bar0", "-"},
        {"mnuTools_web_pinyin", "汉字转拼音"}, {"mnuTools_web_ndb", "历史年代表"},
        {"mnuTools_web_sjsj", "世界时间"}, {"mnuTools_web_wnl", "万年历"},
        {"mnuTools_web_fh", "符号大全"}, {"mnuTools_web_youbian", "邮编区号"},
        {"mnuTools_web_ip", "IP地址"}, {"mnuTools_web_yuansu", "元素周期表"},
        {"mnuTools_web_html", "html代码转换"},
        {"mnuTools_Bar1", "-"},
        {"mnuTools_web_more", "更多工具"}}},
    {"mnuDict", "资讯", {
        {"mnuDict_cd", "汉语词典"}, {"mnuDict_cy", "成语词典"}, {"mnuDict_sc", "诗词大全"},
        {"mnuDict_bar0", "-"},
        {"mnuDict_hy", "汉->英"}, {"mnuDict_yh", "英->汉"},
        {"mnuDict_bar1", "-"},
        {"mnuDict_hr", "汉->日"}, {"mnuDict_rh", "日->汉"},
        {"mnuDict_bar2", "-"},
        {"mnuDict_hf", "汉->法"}, {"mnuDict_fh", "法->汉"}}},
    {"mnuArticle", "软文", {{"mnuArticle_medium", "媒介"}, {"mnuArticle_contribute", "投稿"}}},
    {"mnuHelp", "帮助", {
        {"mnuHelp_help", "Corvel软文编辑器 帮助"}, {"mnuHelp_update", "软件下载及升级"},
        {"mnuHelp_bar0", "-"},
        {"mnuHelp_about", "关于 Corvel软文编辑器"}}},
};
// clang-format on

void expectPlainEntry(const QAction* action, const Entry& entry) {
    SCOPED_TRACE(entry.first);
    EXPECT_EQ(action->objectName(), QString::fromUtf8(entry.first));
    EXPECT_EQ(action->isSeparator() ? QStringLiteral("-") : action->text(),
              QString::fromUtf8(entry.second));
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_FALSE(action->text().contains(QLatin1Char('&')));  // no access keys
    EXPECT_TRUE(action->isEnabled() && action->isVisible());
}

TEST_F(ShellTest, MenuTreeIsAsDesigned) {
    const QList<QAction*> bar = main()->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(kExpectedMenus.size() + 2));
    for (std::size_t i = 0; i < kExpectedMenus.size(); ++i) {
        const ExpectedMenu& expected = kExpectedMenus[i];
        QMenu* menu = bar[static_cast<qsizetype>(i)]->menu();
        ASSERT_NE(menu, nullptr) << expected.name;
        EXPECT_EQ(menu->objectName(), QString::fromUtf8(expected.name));
        EXPECT_EQ(menu->title(), QString::fromUtf8(expected.title));
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.entries.size()));
        for (qsizetype j = 0; j < actions.size(); ++j)
            expectPlainEntry(actions[j], expected.entries[static_cast<std::size_t>(j)]);
    }
    // Two commands stand on the bar itself, after the menus.
    expectPlainEntry(bar[5], {"munLink_home", "Corvel官网  "});
    expectPlainEntry(bar[6], {"munLink_platform", "新闻发布平台" CORVEL_MAKER_DOMAIN " "});
    EXPECT_TRUE(!bar[5]->menu() && !bar[6]->menu());
}

// The configured address of the role a command opens, by the command's name; null for the
// commands that open none.
const char* roleAddress(const QString& name) {
    if (name.startsWith(QLatin1String("mnuDict_"))) return CORVEL_DICTIONARY_ADDRESS;
    if (name.startsWith(QLatin1String("mnuTools_web_"))) return CORVEL_TOOLS_ADDRESS;
    if (name.startsWith(QLatin1String("mnuArticle_"))) return CORVEL_ARTICLE_ADDRESS;
    if (name == QLatin1String("mnuHelp_help") || name == QLatin1String("mnuHelp_update"))
        return CORVEL_HELP_ADDRESS;
    if (name.startsWith(QLatin1String("munLink_"))) return CORVEL_HOME_ADDRESS;
    return nullptr;
}

TEST_F(ShellTest, EveryAddressCommandOpensItsRolesAddress) {
    int commands = 0;
    for (QAction* action : main()->findChildren<QAction*>()) {
        const char* address = roleAddress(action->objectName());
        if (!address || action->isSeparator()) continue;
        ++commands;
        const std::string name = action->objectName().toStdString();
        platform.opened.clear();
        action->trigger();
        // An empty configured address stands for the help page in the program folder.
        const QUrl url =
            *address ? QUrl(QString::fromUtf8(address)) : QUrl::fromLocalFile(file("help.html"));
        ASSERT_EQ(platform.opened.size(), 1u) << name;
        EXPECT_EQ(platform.opened.front(), url) << name;
        EXPECT_TRUE(url.isValid() && !url.host().contains(QLatin1String("example")));
    }
    EXPECT_EQ(commands, 25);
    EXPECT_TRUE(platform.started.isEmpty());
}

TEST_F(ShellTest, ToolCommandsStartTheFirstInstalledToolOrNameIt) {
    trigger("mnuTools_calc");  // nothing installed
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains(QStringLiteral("计算器")));
    EXPECT_TRUE(platform.started.isEmpty());

#ifdef Q_OS_WIN
    platform.installed = {QStringLiteral("calc.exe"), QStringLiteral("notepad.exe"),
                          QStringLiteral("cmd.exe")};
    const QStringList expected = {QStringLiteral("calc.exe"), QStringLiteral("notepad.exe"),
                                  QStringLiteral("cmd.exe"), QStringLiteral("calc.exe")};
#else
    // Later names of each list are installed, and the calculator twice over.
    platform.installed = {QStringLiteral("xcalc"), QStringLiteral("galculator"),
                          QStringLiteral("pluma"), QStringLiteral("xterm")};
    const QStringList expected = {QStringLiteral("galculator"), QStringLiteral("pluma"),
                                  QStringLiteral("xterm"), QStringLiteral("galculator")};
#endif
    for (const char* name : {"mnuTools_calc", "mnuTools_notepad", "mnuTools_cmd", "mnuTools_calc"})
        trigger(name);
    EXPECT_EQ(platform.started, expected);
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.opened.empty());

    // Found but failing to start: the message names the program.
    platform.toolsStart = false;
    trigger("mnuTools_notepad");
    ASSERT_EQ(platform.errors.size(), 2);
    EXPECT_TRUE(platform.errors[1].contains(expected[1]));
    EXPECT_TRUE(main()->isVisible());
}

}  // namespace
