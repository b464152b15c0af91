// The menu bar: its tree as designed, and what each address and tool command asks of the desktop.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <utility>
#include <vector>

#include "shell_fixture.h"
#include "web_addresses.h"

namespace {

using Entries = std::vector<std::pair<const char*, const char*>>;  // object name, caption
struct ExpectedMenu {
    const char* name;
    const char* title;
    Entries entries;
};

const std::vector<ExpectedMenu> kExpectedMenus = {
    {"Option",
     "选项",
     {{"Option_Ueditor", "编辑器设置"},
      {"Option_auto_format", "自动格式化设置"},
      {"Option_format", "格式化选项"},
      {"Option_Bar0", "-"},
      {"Option_conversionFile", "简繁转换"},
      {"Option_redundantFile", "错误更正 冗余去除"}}},
    {"mnuTools",
     "工具",
     {{"mnuTools_calc", "计算器"},
      {"mnuTools_notepad", "记事本"},
      {"mnuTools_cmd", "命令行"},
      {"mnuTools_Bar0", "-"},
      {"mnuTools_web_pinyin", "汉字转拼音"},
      {"mnuTools_web_ndb", "历史年代表"},
      {"mnuTools_web_sjsj", "世界时间"},
      {"mnuTools_web_wnl", "万年历"},
      {"mnuTools_web_fh", "符号大全"},
      {"mnuTools_web_youbian", "邮编区号"},
      {"mnuTools_web_ip", "IP地址"},
      {"mnuTools_web_yuansu", "元素周期表"},
      {"mnuTools_web_html", "html代码转换"},
      {"mnuTools_Bar1", "-"},
      {"mnuTools_web_more", "更多工具"}}},
    {"mnuDict",
     "资讯",
     {{"mnuDict_cd", "汉语词典"},
      {"mnuDict_cy", "成语词典"},
      {"mnuDict_sc", "诗词大全"},
      {"mnuDict_bar0", "-"},
      {"mnuDict_hy", "汉->英"},
      {"mnuDict_yh", "英->汉"},
      {"mnuDict_bar1", "-"},
      {"mnuDict_hr", "汉->日"},
      {"mnuDict_rh", "日->汉"},
      {"mnuDict_bar2", "-"},
      {"mnuDict_hf", "汉->法"},
      {"mnuDict_fh", "法->汉"}}},
    {"mnuArticle", "软文", {{"mnuArticle_medium", "媒介"}, {"mnuArticle_contribute", "投稿"}}},
    {"mnuHelp",
     "帮助",
     {{"mnuHelp_help", "Corvel软文编辑器 帮助"},
      {"mnuHelp_update", "软件下载及升级"},
      {"mnuHelp_bar0", "-"},
      {"mnuHelp_about", "关于 Corvel软文编辑器"}}},
};

void expectPlainEntry(const QAction* action, const char* name, const char* caption) {
    SCOPED_TRACE(name);
    EXPECT_EQ(action->objectName(), QString::fromUtf8(name));
    const bool separator = QByteArray(caption) == "-";
    EXPECT_EQ(action->isSeparator(), separator);
    if (!separator) {
        EXPECT_EQ(action->text(), QString::fromUtf8(caption));
    }
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_FALSE(action->text().contains(QLatin1Char('&')));  // no access keys
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(action->isVisible());
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
        for (std::size_t j = 0; j < expected.entries.size(); ++j)
            expectPlainEntry(actions[static_cast<qsizetype>(j)], expected.entries[j].first,
                             expected.entries[j].second);
    }
    expectPlainEntry(bar[5], "munLink_home", "Corvel官网  ");
    expectPlainEntry(bar[6], "munLink_platform", "新闻发布平台" CORVEL_MAKER_DOMAIN " ");
    EXPECT_EQ(bar[5]->menu(), nullptr);
    EXPECT_EQ(bar[6]->menu(), nullptr);
}

QUrl expectedAddress(const char* configured, const QTemporaryDir& folder) {
    if (*configured == '\0')
        return QUrl::fromLocalFile(folder.filePath(QStringLiteral("help.html")));
    return QUrl(QString::fromUtf8(configured));
}

TEST_F(ShellTest, EveryAddressCommandOpensItsRolesAddress) {
    std::map<QString, QUrl> expected;
    const auto role = [&](const char* address, std::initializer_list<const char*> names) {
        for (const char* name : names)
            expected[QString::fromUtf8(name)] = expectedAddress(address, folder);
    };
    role(CORVEL_DICTIONARY_ADDRESS,
         {"mnuDict_cd", "mnuDict_cy", "mnuDict_sc", "mnuDict_hy", "mnuDict_yh", "mnuDict_hr",
          "mnuDict_rh", "mnuDict_hf", "mnuDict_fh"});
    role(CORVEL_ARTICLE_ADDRESS, {"mnuArticle_medium", "mnuArticle_contribute"});
    role(CORVEL_HELP_ADDRESS, {"mnuHelp_help", "mnuHelp_update"});
    role(CORVEL_TOOLS_ADDRESS,
         {"mnuTools_web_pinyin", "mnuTools_web_ndb", "mnuTools_web_sjsj", "mnuTools_web_wnl",
          "mnuTools_web_fh", "mnuTools_web_youbian", "mnuTools_web_ip", "mnuTools_web_yuansu",
          "mnuTools_web_html", "mnuTools_web_more"});
    role(CORVEL_HOME_ADDRESS, {"munLink_home", "munLink_platform"});
    ASSERT_EQ(expected.size(), 25u);

    for (const auto& [name, url] : expected) {
        auto* action = main()->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        platform.opened.clear();
        action->trigger();
        ASSERT_EQ(platform.opened.size(), 1u) << name.toStdString();
        EXPECT_EQ(platform.opened.front(), url) << name.toStdString();
        EXPECT_TRUE(url.isValid() && !url.host().contains(QLatin1String("example")));
    }
    EXPECT_TRUE(platform.started.isEmpty());
}

void trigger(Form_Editor_Main* window, const char* name) {
    auto* action = window->findChild<QAction*>(QString::fromUtf8(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

TEST_F(ShellTest, ToolCommandsStartTheFirstInstalledToolEachTime) {
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
        trigger(main(), name);
    EXPECT_EQ(platform.started, expected);
    EXPECT_TRUE(platform.errors.isEmpty());
    EXPECT_TRUE(platform.opened.empty());
}

TEST_F(ShellTest, ToolThatCannotStartIsNamedInAMessage) {
    trigger(main(), "mnuTools_calc");  // nothing installed
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains(QStringLiteral("计算器")));
    EXPECT_TRUE(platform.started.isEmpty());

    const QString editorName = toolCandidates(LocalTool::TextEditor).first();
    platform.installed = {editorName};
    platform.toolsStart = false;
    trigger(main(), "mnuTools_notepad");
    ASSERT_EQ(platform.errors.size(), 2);
    EXPECT_TRUE(platform.errors[1].contains(editorName));
    EXPECT_TRUE(main()->isVisible());
}

}  // namespace
