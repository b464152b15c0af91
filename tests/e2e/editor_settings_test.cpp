// One working session through the real program: the user types an article into the editor
// page, picks another toolbar set and turns the character counter off in the editor settings
// dialog, and saves. The reloaded page must use the new settings and still hold the article,
// and web.ini must differ from before on exactly those two lines.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

#include "bas_main.h"
#include "editor_driver.h"
#include "program_folder.h"
#include "qt_test_files.h"
#include "recording_platform.h"
#include "scratch_web_storage.h"
#include "store_path.h"
#include "test_files.h"
#include "url_schemes.h"

namespace {

// Typed with real key events. 20 characters that are not blanks.
const QString kTypedLine = QStringLiteral("Corvel 2.3 ships today.");
// Five more, committed by an input method; each counts as one.
const QString kChineseText = QStringLiteral("新品发布会");

// The counter's text, or an empty string when the page shows none.
QString counterText(const EditorDriver& page) {
    return page
        .js(QStringLiteral("(document.querySelector('.corvel-word-count') || {}).textContent || ''"))
        .toString();
}
// Which of the bold and video buttons the toolbar has.
QString toolbarButtons(const EditorDriver& page) {
    return page
        .js(QStringLiteral("['bold', 'video'].filter("
                           "n => document.querySelector('.jodit-toolbar-button_' + n)).join()"))
        .toString();
}

}  // namespace

class EditorSettingsSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void articleSurvivesANewToolbarSetAndCounterSetting();
};

void EditorSettingsSession::articleSurvivesANewToolbarSetAndCounterSetting() {
    QTemporaryDir folder;
    QVERIFY(copyProgramFolder(QDir(folder.path())));
    const QString webIni = folder.filePath(QStringLiteral("web.ini"));
    const QByteArray iniBefore = FileBytes(webIni);
    // The shipped file is what the user has: a byte-order mark and CR LF line breaks only.
    QVERIFY(iniBefore.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(iniBefore.count('\n'), iniBefore.count("\r\n"));

    RecordingPlatform platform;
    const std::unique_ptr<Program> program = Program::start(ToStorePath(folder.path()), platform);
    QVERIFY(program);
    Form_Editor_Main* main = program->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    const EditorDriver page(main);
    QVERIFY(page.waitUntilReady());

    // The shipped settings are in force: the standard set (no video button) and the counter.
    QCOMPARE(page.toolbarSet(), QStringLiteral("Standard"));
    QCOMPARE(toolbarButtons(page), QStringLiteral("bold"));
    QCOMPARE(counterText(page), QStringLiteral("字数：0　字符数（含空格）：0"));

    QVERIFY(page.clickIntoEditingArea());
    QTest::keyClicks(page.input(), kTypedLine);
    QTRY_COMPARE(page.articleText(), kTypedLine);
    // Chinese comes from an input method, which commits the composed text to the view.
    QInputMethodEvent commit;
    commit.setCommitString(kChineseText);
    QApplication::sendEvent(page.input(), &commit);
    QTRY_COMPARE(page.articleText(), kTypedLine + kChineseText);
    // Four Latin words and numbers, five Chinese characters; 28 characters with blanks.
    QTRY_COMPARE(counterText(page), QStringLiteral("字数：9　字符数（含空格）：28"));

    // 选项 > 编辑器设置: the largest toolbar set, counter off, Save. The dialog opens at once,
    // without a modal loop.
    const QPointer<QDialog> dialog = page.openEditorSettings();
    QVERIFY(dialog);
    QVERIFY(!main->editor()->isEnabled());
    auto* toolbars = dialog->findChild<QComboBox*>(QStringLiteral("Combo_toolbars"));
    auto* counterOff = dialog->findChild<QRadioButton*>(QStringLiteral("Option_wordCount_0"));
    auto* save = dialog->findChild<QPushButton*>(QStringLiteral("Command_Save"));
    QVERIFY(toolbars && counterOff && save);
    QCOMPARE(toolbars->currentText(), QStringLiteral("标准 - Standard"));
    QTest::keyClick(toolbars, Qt::Key_Home);
    QCOMPARE(toolbars->currentText(), QStringLiteral("完整 - All"));
    QVERIFY(!counterOff->isChecked());
    QTest::mouseClick(counterOff, Qt::LeftButton);
    QVERIFY(counterOff->isChecked());

    QSignalSpy reloaded(page.view(), &QWebEngineView::loadFinished);
    QTest::mouseClick(save, Qt::LeftButton);
    QTRY_VERIFY(!isShown(dialog));
    QVERIFY(main->editor()->isEnabled());

    // The page reloads and reads web.ini again.
    QTRY_VERIFY_WITH_TIMEOUT(!reloaded.isEmpty(), kPageTimeoutMs);
    QVERIFY(reloaded.first().first().toBool());
    QVERIFY(page.waitUntilReady());
    QCOMPARE(page.toolbarSet(), QStringLiteral("All"));
    QCOMPARE(toolbarButtons(page), QStringLiteral("bold,video"));
    QCOMPARE(page.js(QStringLiteral("corvelEditor.wordCountShown")).toBool(), false);
    QCOMPARE(counterText(page), QString());
    QCOMPARE(page.articleText(), kTypedLine + kChineseText);

    // Two lines changed; everything else, byte-order mark and CR LF included, is as it was.
    const std::string expected = WithLineReplaced(
        WithLineReplaced(iniBefore.toStdString(), "toolbars=Standard", "toolbars=All"),
        "wordCount=true", "wordCount=false");
    QVERIFY(!expected.empty());
    QCOMPARE(FileBytes(webIni), QByteArray::fromStdString(expected));
    QVERIFY(platform.errors.isEmpty());
}

int main(int argc, char** argv) {
    QTemporaryDir home;
    UseScratchWebStorage(home);
    registerProgramSchemes();
    QApplication app(argc, argv);
    EditorSettingsSession session;
    return QTest::qExec(&session, argc, argv);
}

#include "editor_settings_test.moc"
