// One working session through the real program: the user types an article into the editor
// page, picks another toolbar set and turns the character counter off in the editor settings
// dialog, and saves. The reloaded page must use the new settings and still hold the article,
// and web.ini must differ from before on exactly those two lines.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QInputMethodEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <memory>

#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "program_folder.h"
#include "qt_test_files.h"
#include "recording_platform.h"
#include "store_path.h"
#include "url_schemes.h"
#include "web_script.h"

namespace {

constexpr int kPageTimeoutMs = 30000;
constexpr int kScriptTimeoutMs = 10000;

// Typed with real key events. 20 characters that are not blanks.
const QString kTypedLine = QStringLiteral("Corvel 2.3 ships today.");
// Five more, committed by an input method; each counts as one.
const QString kChineseText = QStringLiteral("新品发布会");

bool isShown(const QWidget* widget) { return widget != nullptr && widget->isVisible(); }

// The line `from` (a whole line, CR LF included) replaced by `to`; empty unless `from` is
// there exactly once.
QByteArray withLineReplaced(const QByteArray& text, const QByteArray& from, const QByteArray& to) {
    const QByteArray whole = "\r\n" + from + "\r\n";
    if (text.count(whole) != 1) return {};
    QByteArray result = text;
    return result.replace(whole, "\r\n" + to + "\r\n");
}

}  // namespace

class EditorSettingsSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void articleSurvivesANewToolbarSetAndCounterSetting();
    void cleanupTestCase();

private:
    QWebEngineView* view() const { return program_->mainWindow()->editor()->browser(); }
    QString webIni() const { return QDir(folder_.path()).filePath(QStringLiteral("web.ini")); }

    // Runs a script in the page and waits for its result; an invalid QVariant on timeout.
    QVariant js(const QString& script) const {
        const std::optional<QVariant> result = RunScript(view()->page(), script, kScriptTimeoutMs);
        if (!result) qWarning("script timed out: %s", qPrintable(script));
        return result.value_or(QVariant());
    }
    bool pageReady() const {
        return js(QStringLiteral("!!(window.corvelEditor && window.corvelEditor.ready)")).toBool();
    }
    // The article's text as the editor holds it.
    QString articleText() const {
        return js(QStringLiteral("corvelEditor.jodit.editor.textContent")).toString();
    }
    // The counter's text, or an empty string when the page shows none.
    QString counterText() const {
        return js(QStringLiteral("(document.querySelector('.corvel-word-count') || {}).textContent"
                                 " || ''"))
            .toString();
    }
    bool toolbarHasButton(const char* name) const {
        return js(QStringLiteral("!!document.querySelector('.jodit-toolbar-button_%1')")
                      .arg(QLatin1String(name)))
            .toBool();
    }
    void clickIntoEditingArea();

    QTemporaryDir folder_;
    RecordingPlatform platform_;
    std::unique_ptr<Program> program_;
    QByteArray iniBefore_;
};

void EditorSettingsSession::initTestCase() {
    QVERIFY(folder_.isValid());
    QVERIFY(copyProgramFolder(QDir(folder_.path())));
    iniBefore_ = FileBytes(webIni());
    // The shipped file is what the user has: a byte-order mark and CR LF line breaks only.
    QVERIFY(iniBefore_.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(iniBefore_.count('\n'), iniBefore_.count("\r\n"));

    program_ = Program::start(ToStorePath(folder_.path()), platform_);
    QVERIFY(program_);
    Form_Editor_Main* main = program_->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTRY_VERIFY_WITH_TIMEOUT(pageReady(), kPageTimeoutMs);
}

void EditorSettingsSession::clickIntoEditingArea() {
    // The editing area is an iframe; click on its first line, in widget pixels (offscreen,
    // one CSS pixel is one pixel).
    const QVariantList at =
        js(QStringLiteral("(() => { const r = corvelEditor.jodit.iframe.getBoundingClientRect();"
                          " return [Math.round(r.left + 40), Math.round(r.top + 15)]; })()"))
            .toList();
    QCOMPARE(at.size(), 2);
    QWidget* input = view()->focusProxy();
    QVERIFY(input);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(at[0].toInt(), at[1].toInt()));
    QTRY_VERIFY(js(QStringLiteral("corvelEditor.jodit.editorDocument.hasFocus()")).toBool());
}

void EditorSettingsSession::articleSurvivesANewToolbarSetAndCounterSetting() {
    // The shipped settings are in force: the standard set (no video button) and the counter.
    QCOMPARE(js(QStringLiteral("corvelEditor.toolbarSet")).toString(), QStringLiteral("Standard"));
    QVERIFY(toolbarHasButton("bold"));
    QVERIFY(!toolbarHasButton("video"));
    QCOMPARE(counterText(), QStringLiteral("字数：0　字符数（含空格）：0"));

    clickIntoEditingArea();
    QTest::keyClicks(view()->focusProxy(), kTypedLine);
    QTRY_COMPARE(articleText(), kTypedLine);
    // Chinese comes from an input method, which commits the composed text to the view.
    QInputMethodEvent commit;
    commit.setCommitString(kChineseText);
    QApplication::sendEvent(view()->focusProxy(), &commit);
    QTRY_COMPARE(articleText(), kTypedLine + kChineseText);
    // Four Latin words and numbers, five Chinese characters; 28 characters with blanks.
    QTRY_COMPARE(counterText(), QStringLiteral("字数：9　字符数（含空格）：28"));

    // 选项 > 编辑器设置: the largest toolbar set, counter off, Save.
    Form_Editor_Main* main = program_->mainWindow();
    auto* command = main->findChild<QAction*>(QStringLiteral("Option_Ueditor"));
    QVERIFY(command);
    command->trigger();
    // The dialog opens at once, without a modal loop.
    const QPointer<QDialog> dialog =
        main->findChild<QDialog*>(QStringLiteral("Form_Option_Ueditor"));
    QVERIFY(isShown(dialog));
    QVERIFY(!main->editor()->isEnabled());

    auto* toolbars = dialog->findChild<QComboBox*>(QStringLiteral("Combo_toolbars"));
    QVERIFY(toolbars);
    QCOMPARE(toolbars->currentText(), QStringLiteral("标准 - Standard"));
    QTest::keyClick(toolbars, Qt::Key_Home);
    QCOMPARE(toolbars->currentText(), QStringLiteral("完整 - All"));
    auto* counterOff = dialog->findChild<QRadioButton*>(QStringLiteral("Option_wordCount_0"));
    QVERIFY(counterOff);
    QVERIFY(!counterOff->isChecked());
    QTest::mouseClick(counterOff, Qt::LeftButton);
    QVERIFY(counterOff->isChecked());

    QSignalSpy reloaded(view(), &QWebEngineView::loadFinished);
    auto* save = dialog->findChild<QPushButton*>(QStringLiteral("Command_Save"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);
    QTRY_VERIFY(!isShown(dialog));
    QVERIFY(main->editor()->isEnabled());

    // The page reloads and reads web.ini again.
    QTRY_VERIFY_WITH_TIMEOUT(!reloaded.isEmpty(), kPageTimeoutMs);
    QVERIFY(reloaded.first().first().toBool());
    QTRY_VERIFY_WITH_TIMEOUT(pageReady(), kPageTimeoutMs);
    QCOMPARE(js(QStringLiteral("corvelEditor.toolbarSet")).toString(), QStringLiteral("All"));
    QVERIFY(toolbarHasButton("video"));
    QCOMPARE(js(QStringLiteral("corvelEditor.wordCountShown")).toBool(), false);
    QCOMPARE(counterText(), QString());
    QCOMPARE(articleText(), kTypedLine + kChineseText);

    // Two lines changed; everything else, byte-order mark and CR LF included, is as it was.
    const QByteArray expected =
        withLineReplaced(withLineReplaced(iniBefore_, "toolbars=Standard", "toolbars=All"),
                         "wordCount=true", "wordCount=false");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(FileBytes(webIni()), expected);
    QVERIFY(platform_.errors.isEmpty());
}

void EditorSettingsSession::cleanupTestCase() { program_.reset(); }

int main(int argc, char** argv) {
    // The web engine keeps its profile (with the article in local storage) in the user's data
    // folder: point it at a temporary one so that the real user's data is never touched.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    registerProgramSchemes();
    QApplication app(argc, argv);
    EditorSettingsSession session;
    return QTest::qExec(&session, argc, argv);
}

#include "editor_settings_test.moc"
