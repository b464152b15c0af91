// The shell's pure rules: browser sizing in twips and the navigation policy.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fit_browser.h"
#include "navigation_policy.h"
#include "page_scheme.h"
#include "window_metrics.h"

namespace {

struct FitCase {
    TwipSize form;
    TwipSize browser;
    std::int16_t minWidth = 600, minHeight = 600;
};

class FitBrowserToFormTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitBrowserToFormTest, SubtractsOffsetsAndKeepsMinimums) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitBrowserToForm(c.form, c.minWidth, c.minHeight), c.browser);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FitBrowserToFormTest,
    ::testing::Values(FitCase{{9510, 6855}, {9494, 6390}},      // a roomy window: the offsets only
                      FitCase{{617, 1066}, {601, 601}},         // one twip above the minimums
                      FitCase{{616, 1065}, {600, 600}},         // exactly at them: the minimum
                      FitCase{{615, 1064}, {600, 600}},         // below them
                      FitCase{{0, 0}, {600, 600}},              // a collapsed window
                      FitCase{{40000, 70000}, {39984, 69535}},  // larger than 16 bits can hold
                      FitCase{{1000, 1000}, {2000, 535}, 2000, 100}));  // the caller's minimums

TEST(TwipConversion, DesignSizesAreWholePixelsAndOffsetsRound) {
    EXPECT_EQ(twipsToPixels(9510), 634);
    EXPECT_EQ(twipsToPixels(6855), 457);
    EXPECT_EQ(twipsToPixels(465), 31);
    EXPECT_EQ(twipsToPixels(pixelsToTwips(500) - 16), 499);
    EXPECT_EQ(twipsToPixels(-16), -1);
}

struct NavCase {
    const char* target;
    QWebEnginePage::NavigationType type;
    bool mainFrame;
    NavigationVerdict verdict;
};

class JudgeNavigationTest : public ::testing::TestWithParam<NavCase> {};

TEST_P(JudgeNavigationTest, MainFrameNeverLeavesTheEditor) {
    const QUrl editor = QUrl::fromLocalFile(QStringLiteral("/opt/corvel/index.html"));
    const NavCase& c = GetParam();
    EXPECT_EQ(judgeNavigation(QUrl(QString::fromUtf8(c.target)), c.type, c.mainFrame, editor),
              c.verdict)
        << c.target;
}

using P = QWebEnginePage;
using V = NavigationVerdict;
INSTANTIATE_TEST_SUITE_P(
    Requests, JudgeNavigationTest,
    ::testing::Values(
        // Loading and reloading the editor page itself.
        NavCase{"file:///opt/corvel/index.html", P::NavigationTypeTyped, true, V::Allow},
        NavCase{"file:///opt/corvel/index.html#top", P::NavigationTypeOther, true, V::Allow},
        NavCase{"file:///opt/corvel/index.html", P::NavigationTypeReload, true, V::Allow},
        // Clicked web links go to the user's browser.
        NavCase{"https://example.org/", P::NavigationTypeLinkClicked, true, V::OpenOutside},
        NavCase{"http://example.org/a", P::NavigationTypeLinkClicked, false, V::OpenOutside},
        // Anything else that would replace the article is refused: local links, dropped files
        // and addresses, scripts, forms, history.
        NavCase{"file:///opt/corvel/other.html", P::NavigationTypeLinkClicked, true, V::Refuse},
        NavCase{"file:///home/me/photo.png", P::NavigationTypeTyped, true, V::Refuse},
        NavCase{"https://example.org/", P::NavigationTypeTyped, true, V::Refuse},
        NavCase{"https://example.org/", P::NavigationTypeOther, true, V::Refuse},
        NavCase{"https://example.org/", P::NavigationTypeFormSubmitted, true, V::Refuse},
        NavCase{"file:///opt/corvel/a.html", P::NavigationTypeBackForward, true, V::Refuse},
        NavCase{"ftp://example.org/", P::NavigationTypeLinkClicked, true, V::Refuse},
        // The editor's own frames load freely.
        NavCase{"about:blank", P::NavigationTypeOther, false, V::Allow}));

}  // namespace

namespace {

// Two folders as the installed program has them: what the page asks for is served from the
// settings folder where the user has it, from the program folder otherwise, and nothing else.
TEST(PageSchemeFile, SettingsFromTheUsersFolderPageFromTheProgramAndNothingOutside) {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    const QString settings = root.filePath(QStringLiteral("settings"));
    for (const QString& file :
         {program + QStringLiteral("/index.html"), program + QStringLiteral("/web.ini"),
          program + QStringLiteral("/adlaw.txt"), program + QStringLiteral("/editor/js/app.js"),
          settings + QStringLiteral("/web.ini"), settings + QStringLiteral("/index.html"),
          settings + QStringLiteral("/editor/js/app.js"), settings + QStringLiteral("/规则 1.txt"),
          root.filePath(QStringLiteral("secret.txt"))}) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    struct Case {
        const char* url;
        QString expected;  // empty: refused
    };
    const Case cases[] = {
        {"corvel-page://editor/index.html", program + QStringLiteral("/index.html")},
        {"corvel-page://editor/editor/js/app.js", program + QStringLiteral("/editor/js/app.js")},
        {"corvel-page://editor/web.ini", settings + QStringLiteral("/web.ini")},
        {"corvel-page://editor/%E8%A7%84%E5%88%99%201.txt",
         settings + QStringLiteral("/规则 1.txt")},
        // A rule file the user's folder lacks: the shipped one.
        {"corvel-page://editor/adlaw.txt", program + QStringLiteral("/adlaw.txt")},
        {"corvel-page://editor/web.ini?reload=1", settings + QStringLiteral("/web.ini")},
        {"corvel-page://editor/missing.txt", {}},
        {"corvel-page://editor/../secret.txt", {}},
        {"corvel-page://editor/%2E%2E/secret.txt", {}},
        {"corvel-page://editor/editor/..%2F..%2Fsecret.txt", {}},
        {"corvel-page://editor/..%5Csecret.txt", {}},
        {"corvel-page://editor//etc/passwd", {}},
        {"corvel-page://editor/", {}},
        {"corvel-page://editor/editor", {}},
        {"corvel-page://other/index.html", {}},
        {"file:///etc/passwd", {}},
    };
    for (const Case& c : cases) {
        const std::optional<QString> file =
            pageSchemeFile(QUrl(QString::fromUtf8(c.url)), program, settings);
        EXPECT_EQ(file.value_or(QString()), c.expected) << c.url;
    }
}

}  // namespace
