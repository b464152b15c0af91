// The shell's pure rules: browser sizing in twips, the navigation policy and the page scheme's
// files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "fit_browser.h"
#include "navigation_policy.h"
#include "page_scheme.h"
#include "qt_test_files.h"
#include "window_metrics.h"

namespace {

TEST(FitBrowserToForm, SubtractsOffsetsAndKeepsMinimums) {
    struct Case {
        TwipSize form;
        TwipSize browser;
        std::int16_t minWidth = 600, minHeight = 600;
    };
    for (const Case& c : {Case{{9510, 6855}, {9494, 6390}},      // a roomy window: the offsets only
                          Case{{617, 1066}, {601, 601}},         // one twip above the minimums
                          Case{{616, 1065}, {600, 600}},         // exactly at them: the minimum
                          Case{{615, 1064}, {600, 600}},         // below them
                          Case{{0, 0}, {600, 600}},              // a collapsed window
                          Case{{40000, 70000}, {39984, 69535}},  // more than 16 bits hold
                          Case{{1000, 1000}, {2000, 535}, 2000, 100}})  // the caller's minimums
        EXPECT_EQ(FitBrowserToForm(c.form, c.minWidth, c.minHeight), c.browser) << c.form.width;
}

TEST(TwipConversion, DesignSizesAreWholePixelsAndOffsetsRound) {
    EXPECT_EQ(twipsToPixels(9510), 634);
    EXPECT_EQ(twipsToPixels(6855), 457);
    EXPECT_EQ(twipsToPixels(465), 31);
    EXPECT_EQ(twipsToPixels(pixelsToTwips(500) - 16), 499);
    EXPECT_EQ(twipsToPixels(-16), -1);
}

// The main frame never leaves the editor.
TEST(JudgeNavigation, WebLinksGoOutsideTheEditorPageStaysAndTheRestIsRefused) {
    using P = QWebEnginePage;
    using V = NavigationVerdict;
    struct Case {
        const char* target;
        P::NavigationType type;
        bool mainFrame;
        V verdict;
    };
    const QUrl editor = QUrl::fromLocalFile(QStringLiteral("/opt/corvel/index.html"));
    for (const Case& c : {

             // Loading and reloading the editor page itself.
             Case{"file:///opt/corvel/index.html", P::NavigationTypeTyped, true, V::Allow},
             Case{"file:///opt/corvel/index.html#top", P::NavigationTypeOther, true, V::Allow},
             Case{"file:///opt/corvel/index.html", P::NavigationTypeReload, true, V::Allow},
             // Clicked web links go to the user's browser.
             Case{"https://example.org/", P::NavigationTypeLinkClicked, true, V::OpenOutside},
             Case{"http://example.org/a", P::NavigationTypeLinkClicked, false, V::OpenOutside},
             // Anything else that would replace the article is refused: local links, dropped files
             // and addresses, scripts, forms, history.
             Case{"file:///opt/corvel/other.html", P::NavigationTypeLinkClicked, true, V::Refuse},
             Case{"file:///home/me/photo.png", P::NavigationTypeTyped, true, V::Refuse},
             Case{"https://example.org/", P::NavigationTypeTyped, true, V::Refuse},
             Case{"https://example.org/", P::NavigationTypeOther, true, V::Refuse},
             Case{"https://example.org/", P::NavigationTypeFormSubmitted, true, V::Refuse},
             Case{"file:///opt/corvel/a.html", P::NavigationTypeBackForward, true, V::Refuse},
             Case{"ftp://example.org/", P::NavigationTypeLinkClicked, true, V::Refuse},
             // The editor's own frames load freely.
             Case{"about:blank", P::NavigationTypeOther, false, V::Allow},
             // ... and never leave: a pasted form, a refresh or a script is refused there too.
             Case{"https://example.org/", P::NavigationTypeFormSubmitted, false, V::Refuse},
             Case{"file:///opt/corvel/index.html", P::NavigationTypeOther, false, V::Refuse}}) {
        EXPECT_EQ(judgeNavigation(QUrl(QString::fromUtf8(c.target)), c.type, c.mainFrame, editor),
                  c.verdict)
            << c.target << " " << c.type;
    }
}

// The shared table of the page scheme's addresses, in tests/data/page_scheme_cases.json.
TEST(PageSchemeFile, SettingsFromTheUsersFolderPageFromTheProgramAndNothingOutside) {
    const QJsonObject table =
        QJsonDocument::fromJson(
            FileBytes(QStringLiteral(CORVEL_TEST_DATA_DIR "/page_scheme_cases.json")))
            .object();
    QTemporaryDir root;
    for (const QJsonValue& file : table[QStringLiteral("files")].toArray())
        ASSERT_TRUE(WriteFileBytes(root.filePath(file.toString())));
    const QJsonArray cases = table[QStringLiteral("cases")].toArray();
    ASSERT_FALSE(cases.isEmpty());
    for (const QJsonValue& c : cases) {
        const QJsonArray row = c.toArray();
        const std::optional<QString> file =
            pageSchemeFile(QUrl(row[0].toString()), root.filePath(QStringLiteral("program")),
                           root.filePath(QStringLiteral("settings")));
        EXPECT_EQ(file.value_or(QString()),
                  row[1].isNull() ? QString() : root.filePath(row[1].toString()))
            << row[0].toString().toStdString() << ": " << row[2].toString().toStdString();
    }
}

}  // namespace
