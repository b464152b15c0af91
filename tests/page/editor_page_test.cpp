// Drives the built editor page in a real QWebEngineView-equivalent page, offscreen:
// no request leaves the machine, the settings in web.ini reach the editor, and the
// article survives reloads.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include "page_loader.h"

namespace {

// A copy of the built app folder, so that a test can change web.ini or remove files.
bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target)) return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace

class EditorPageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void shippedPageMakesNoRemoteRequest();
    void toolbarSetAndCounterFollowWebIni_data();
    void toolbarSetAndCounterFollowWebIni();
    void missingWebIniFallsBackWithNotice();
    void articleSurvivesImmediateReload();
    void formattingIsOneUndoStep();
    void pasteFollowsAutoFormatSettings_data();
    void pasteFollowsAutoFormatSettings();
    void datelineAndEditorLineGoToTheEnds();

private:
    QString appCopy() const { return app_->path(); }
    std::unique_ptr<QTemporaryDir> app_;
    std::unique_ptr<QTemporaryDir> storage_;
};

void EditorPageTest::init() {
    app_ = std::make_unique<QTemporaryDir>();
    storage_ = std::make_unique<QTemporaryDir>();
    QVERIFY(copyTree(QStringLiteral(CORVEL_APP_DIR), app_->path()));
    QVERIFY(QFile::exists(appCopy() + "/index.html"));
}

void EditorPageTest::shippedPageMakesNoRemoteRequest() {
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(QStringLiteral(CORVEL_APP_DIR "/index.html")));
    QVERIFY(loader.waitReady());
    // Give late loaders (fonts, images, lazy plugins) a moment to show up.
    QTest::qWait(1500);
    QCOMPARE(loader.recorder.remote, QStringList());
    QCOMPARE(loader.eval("corvelEditor.notices.length").toInt(), 0);
    QVERIFY(loader.eval("!!document.querySelector('.jodit-wysiwyg_iframe')").toBool());
    QCOMPARE(loader.page()->errors, QStringList());
}

void EditorPageTest::toolbarSetAndCounterFollowWebIni_data() {
    QTest::addColumn<QByteArray>("ueditor");
    QTest::addColumn<QString>("set");
    QTest::addColumn<bool>("counter");
    QTest::addColumn<int>("height");
    QTest::newRow("lite") << QByteArray("toolbars=Lite\r\nwordCount=true\r\ninitialFrameHeight=300")
                          << "Lite" << true << 300;
    QTest::newRow("all") << QByteArray("toolbars=All\r\nwordCount=false") << "All" << false << 520;
    QTest::newRow("unknown") << QByteArray(
                                    "toolbars=lite\r\nwordCount=TRUE\r\ninitialFrameHeight=abc")
                             << "Standard" << false << 520;
}

void EditorPageTest::toolbarSetAndCounterFollowWebIni() {
    QFETCH(QByteArray, ueditor);
    QFETCH(QString, set);
    QFETCH(bool, counter);
    QFETCH(int, height);
    QVERIFY(writeFile(appCopy() + "/web.ini", "\xEF\xBB\xBF;test\r\n[ueditor]\r\n" + ueditor +
                                                  "\r\n[format]\r\nretainBold=true\r\n"));
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    QCOMPARE(loader.eval("corvelEditor.toolbarSet").toString(), set);
    QCOMPARE(loader.eval("corvelEditor.wordCountShown").toBool(), counter);
    QCOMPARE(loader.eval("!!document.querySelector('.corvel-word-count')").toBool(), counter);
    QCOMPARE(loader.eval("corvelEditor.jodit.workplace.offsetHeight").toInt(), height);
    // Every set keeps the one-click format command.
    QVERIFY(loader.eval("!!document.querySelector('.jodit-toolbar-button_corvelFormat')").toBool());
}

void EditorPageTest::missingWebIniFallsBackWithNotice() {
    QVERIFY(QFile::remove(appCopy() + "/web.ini"));
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    QCOMPARE(loader.eval("corvelEditor.toolbarSet").toString(), QStringLiteral("Standard"));
    QVERIFY(loader.eval("document.getElementById('corvel-notices').textContent")
                .toString()
                .contains(QStringLiteral("web.ini")));
}

void EditorPageTest::articleSurvivesImmediateReload() {
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    loader.eval("corvelEditor.jodit.value = '<p>重新加载后仍在</p>'");
    // Reload at once, well inside the save delay: the unload path must save it.
    QVERIFY(loader.reload());
    QVERIFY(loader.waitReady());
    QVERIFY(loader.eval("corvelEditor.html").toString().contains(QStringLiteral("重新加载后仍在")));
}

void EditorPageTest::formattingIsOneUndoStep() {
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    const QString messy = QStringLiteral(
        "<p class=\"MsoNormal\"><span style=\"font-family:宋体\">第一段</span></p><p>&nbsp;</p>");
    loader.eval(QStringLiteral("corvelEditor.jodit.value = '%1'; corvelEditor.html").arg(messy));
    const QString before = loader.eval("corvelEditor.html").toString();
    loader.eval("corvelEditor.format()");
    QCOMPARE(loader.eval("corvelEditor.html").toString(), QStringLiteral("<p>　　第一段</p>"));
    loader.eval("corvelEditor.jodit.execCommand('undo')");
    QCOMPARE(loader.eval("corvelEditor.html").toString(), before);
}

void EditorPageTest::pasteFollowsAutoFormatSettings_data() {
    QTest::addColumn<QByteArray>("autoFormat");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    const QString word = QStringLiteral(
        "<p class=MsoNormal><span style='font-family:宋体'>这款软件再接再励<o:p></o:p></span></p>"
        "<p class=MsoNormal><o:p>&nbsp;</o:p></p>");
    QTest::newRow("format, traditional, corrections")
        << QByteArray("format=true\r\nconversion=traditional\r\nredundant=true") << word
        << QStringLiteral("<p>　　這款軟體再接再厲</p>");
    QTest::newRow("no format, simplified")
        << QByteArray("format=false\r\nconversion=simplified\r\nredundant=false")
        << QStringLiteral("<p class=\"x\">這款軟體</p>")
        << QStringLiteral("<p class=\"x\">这款软件</p>");
    // A word pasted into a paragraph stays inline: no new paragraph, no indent.
    QTest::newRow("inline snippet")
        << QByteArray("format=true\r\nconversion=same\r\nredundant=true")
        << QStringLiteral("再接再励") << QStringLiteral("再接再厉");
}

void EditorPageTest::pasteFollowsAutoFormatSettings() {
    QFETCH(QByteArray, autoFormat);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFile ini(appCopy() + "/web.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    const qsizetype from = text.indexOf("[auto_format]");
    const qsizetype to = text.indexOf("[format]");
    QVERIFY(from > 0 && to > from);
    text.replace(from, to - from, "[auto_format]\r\n" + autoFormat + "\r\n\r\n");
    QVERIFY(writeFile(appCopy() + "/web.ini", text));

    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    // Through Jodit's own paste hook, as a real paste goes.
    loader.eval(
        QStringLiteral("window.__pasted = corvelEditor.jodit.e.fire('beforePasteInsert', %1)")
            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{pasted})
                                       .toJson(QJsonDocument::Compact)
                                       .mid(1)
                                       .chopped(1))));
    QCOMPARE(loader.eval("window.__pasted").toString(), expected);
}

void EditorPageTest::datelineAndEditorLineGoToTheEnds() {
    PageLoader loader(storage_->path());
    QVERIFY(loader.load(appCopy() + "/index.html"));
    QVERIFY(loader.waitReady());
    // The shipped lists: three datelines, two editor lines (one of them a block).
    QCOMPARE(loader.eval("corvelEditor.settings.datelines.length").toInt(), 3);
    loader.eval("corvelEditor.jodit.value = '<p>　　正文第一段</p><p>　　正文第二段</p>'");
    loader.eval("corvelEditor.insertDateline(corvelEditor.settings.datelines[0])");
    loader.eval("corvelEditor.insertEditorName(corvelEditor.settings.editorNames[1])");
    QCOMPARE(loader.eval("corvelEditor.html").toString(),
             QStringLiteral("<p>　　本报讯正文第一段</p><p>　　正文第二段</p>"
                            "<p style=\"text-align:right\">（编辑：）</p>"));
}

QTEST_MAIN(EditorPageTest)
#include "editor_page_test.moc"
