// The shell's pure rules: browser sizing in twips, the navigation policy and the page scheme's
// files, from the tables in tests/data.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QTemporaryDir>

#include "fit_browser.h"
#include "navigation_policy.h"
#include "page_scheme.h"
#include "qt_test_files.h"
#include "rows.h"
#include "window_metrics.h"

namespace {

TEST(FitBrowserToForm, SubtractsOffsetsAndKeepsMinimums) {
    for (const QJsonValue& value : Rows("shell_rule_cases.json", "fit_browser")) {
        const QJsonArray row = value.toArray();
        const QJsonArray form = row[0].toArray(), browser = row[1].toArray();
        const QJsonArray minimums = row.size() > 3 ? row[3].toArray() : QJsonArray{600, 600};
        const TwipSize fitted =
            FitBrowserToForm({form[0].toInt(), form[1].toInt()},
                             std::int16_t(minimums[0].toInt()), std::int16_t(minimums[1].toInt()));
        EXPECT_EQ(fitted, (TwipSize{browser[0].toInt(), browser[1].toInt()}))
            << row[2].toString().toStdString();
    }
    for (const QJsonValue& row : Rows("shell_rule_cases.json", "twips"))
        EXPECT_EQ(twipsToPixels(row[0].toInt()), row[1].toInt()) << row[0].toInt();
}

TEST(JudgeNavigation, WebLinksGoOutsideTheEditorPageStaysAndTheRestIsRefused) {
    const QMetaEnum types = QMetaEnum::fromType<QWebEnginePage::NavigationType>();
    const QStringList verdicts{"Allow", "Refuse", "OpenOutside"};  // as NavigationVerdict
    const QUrl editor = QUrl::fromLocalFile(QStringLiteral("/opt/corvel/index.html"));
    for (const QJsonValue& row : Rows("shell_rule_cases.json", "navigation")) {
        const QByteArray type = "NavigationType" + row[1].toString().toLatin1();
        const auto verdict = judgeNavigation(
            QUrl(row[0].toString()),
            QWebEnginePage::NavigationType(types.keyToValue(type.constData())), row[2].toBool(),
            editor);
        EXPECT_EQ(verdicts.value(int(verdict)), row[3].toString())
            << row[0].toString().toStdString() << ": " << row[4].toString().toStdString();
    }
}

TEST(PageSchemeFile, SettingsFromTheUsersFolderPageFromTheProgramAndNothingOutside) {
    QTemporaryDir root;
    for (const QJsonValue& file : Rows("page_scheme_cases.json", "files"))
        ASSERT_TRUE(WriteFileBytes(root.filePath(file.toString())));
    QStringList names;
    for (const QJsonValue& name : Rows("page_scheme_cases.json", "named")) names.append(name.toString());
    const PageFiles files(root.filePath(QStringLiteral("program")),
                          root.filePath(QStringLiteral("settings")), [&] { return names; });
    for (const QJsonValue& value : Rows("page_scheme_cases.json", "cases")) {
        const QJsonArray row = value.toArray();
        const std::optional<QString> file = pageSchemeFile(QUrl(row[0].toString()), files);
        EXPECT_EQ(file.value_or(QString()),
                  row[1].isNull() ? QString() : root.filePath(row[1].toString()))
            << row[0].toString().toStdString() << ": " << row[2].toString().toStdString();
    }
}

}  // namespace
