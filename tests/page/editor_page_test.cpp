// Drives the built editor page in a real web view, offscreen: no request leaves the machine,
// the settings in web.ini reach the editor, and the article survives reloads.
#include "page_loader.h"

class EditorPageTest : public QObject {
    Q_OBJECT

    // Each test gets a copy of the built app folder (so it may change web.ini or remove
    // files) and its own empty browser storage.
    std::optional<QTemporaryDir> app_, storage_;
    std::optional<PageLoader> loader_;

    QString webIni() const { return app_->path() + "/web.ini"; }
    bool open() {
        loader_.emplace(storage_->path());
        return loader_->open(app_->path() + "/index.html");
    }
    QVariant eval(const QString& script) { return loader_->eval(script); }
    QString html() { return eval("corvelEditor.html").toString(); }
    // Gives one section of the copied web.ini a new body; the rest stays as shipped.
    bool setSection(const QByteArray& name, const QString& body) {
        QFile ini(webIni());
        if (!ini.open(QIODevice::ReadOnly)) return false;
        QByteArray text = ini.readAll();
        ini.close();
        const qsizetype from = text.indexOf("[" + name + "]\r\n");
        const qsizetype to = text.indexOf("\r\n[", from + 1);
        if (from < 0 || to < 0) return false;
        text.replace(from, to - from, "[" + name + "]\r\n" + body.toUtf8() + "\r\n");
        return ini.open(QIODevice::WriteOnly) && ini.write(text) == text.size();
    }

private slots:
    void init() {
        app_.emplace();
        storage_.emplace();
        QCOMPARE(QProcess::execute("cp",
                                   {"-r", "--no-preserve=mode", CORVEL_APP_DIR "/.", app_->path()}),
                 0);
    }

    void cleanup() { loader_.reset(); }

    void shippedPageMakesNoRemoteRequest() {
        QVERIFY(open());
        // Give late loaders (fonts, images, lazy plugins) a moment to show up.
        QTest::qWait(1500);
        QCOMPARE(loader_->recorder.remote, QStringList());
        QCOMPARE(loader_->page->errors, QStringList());
        QCOMPARE(eval("corvelEditor.notices.length").toInt(), 0);
        QVERIFY(eval("!!document.querySelector('.jodit-wysiwyg_iframe')").toBool());
    }

    void toolbarSetAndCounterFollowWebIni_data() {
        QTest::addColumn<QString>("ueditor");  // empty: no web.ini at all
        // Toolbar set, counter setting, counter shown, editing height, one-click format
        // button (every set has it), web.ini notice (only a missing file is reported).
        QTest::addColumn<QString>("expected");
        QTest::newRow("lite") << "toolbars=Lite\r\nwordCount=true\r\ninitialFrameHeight=300"
                              << "Lite,true,true,300,true,false";
        QTest::newRow("all") << "toolbars=All\r\nwordCount=false"
                             << "All,false,false,520,true,false";
        QTest::newRow("unknown") << "toolbars=lite\r\nwordCount=TRUE\r\ninitialFrameHeight=abc"
                                 << "Standard,false,false,520,true,false";
        QTest::newRow("missing web.ini") << ""
                                         << "Standard,true,true,520,true,true";
    }
    void toolbarSetAndCounterFollowWebIni() {
        QFETCH(QString, ueditor);
        QVERIFY(ueditor.isEmpty() ? QFile::remove(webIni()) : setSection("ueditor", ueditor));
        QVERIFY(open());
        QTEST(eval("[corvelEditor.toolbarSet, corvelEditor.wordCountShown, "
                   "!!document.querySelector('.corvel-word-count'), "
                   "corvelEditor.jodit.workplace.offsetHeight, "
                   "!!document.querySelector('.jodit-toolbar-button_corvelFormat'), "
                   "document.getElementById('corvel-notices').textContent.includes('web.ini')]"
                   ".join()")
                  .toString(),
              "expected");
    }

    // A file from a Unix editor is read line by line; one from which nothing at all can be read
    // gives defaults and a notice that says what to do.
    void wholeWebIniReadOrNoticed_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");  // toolbar set, notice shown
        QTest::newRow("LF line ends") << QByteArray("[ueditor]\ntoolbars=Lite\nwordCount=true\n")
                                      << "Lite,false";
        QTest::newRow("empty") << QByteArray() << "Standard,true";
        QTest::newRow("garbage") << QByteArray("\x00\x01\xff\xfe garbage", 12)
                                 << "Standard,true";
        const QString utf16 = QStringLiteral("[ueditor]\r\ntoolbars=Lite\r\n");
        QTest::newRow("UTF-16")
            << QByteArray("\xff\xfe") +
                   QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << "Standard,true";
    }
    void wholeWebIniReadOrNoticed() {
        QFETCH(QByteArray, bytes);
        QFile ini(webIni());
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(ini.write(bytes), bytes.size());
        ini.close();
        QVERIFY(open());
        QTEST(eval("[corvelEditor.toolbarSet, document.getElementById('corvel-notices')"
                   ".textContent.includes('读不到任何设置')].join()")
                  .toString(),
              "expected");
    }

    void articleSurvivesImmediateReload() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<p>重新加载后仍在</p>'");
        // Reload at once, well inside the save delay: the unload path must save it.
        QVERIFY(loader_->open());
        QVERIFY(html().contains(QStringLiteral("重新加载后仍在")));
    }

    void formattingIsOneUndoStep() {
        QVERIFY(open());
        eval(R"(corvelEditor.jodit.value =
                '<p class="MsoNormal"><span style="font-family:宋体">第一段</span></p><p>&nbsp;</p>')");
        const QString before = html();
        eval("corvelEditor.format()");
        QCOMPARE(html(), QStringLiteral("<p>　　第一段</p>"));
        eval("corvelEditor.jodit.execCommand('undo')");
        QCOMPARE(html(), before);
    }

    void pasteFollowsAutoFormatSettings_data() {
        QTest::addColumn<QString>("autoFormat");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("format, traditional, corrections")
            << "format=true\r\nconversion=traditional\r\nredundant=true"
            << "<p class=MsoNormal><span "
               "style='font-family:宋体'>这款软件再接再励<o:p></o:p></span></p>"
               "<p class=MsoNormal><o:p>&nbsp;</o:p></p>"
            << "<p>　　這款軟體再接再厲</p>";
        QTest::newRow("no format, simplified")
            << "format=false\r\nconversion=simplified\r\nredundant=false"
            << "<p class=\"x\">這款軟體</p>"
            << "<p class=\"x\">这款软件</p>";
        // A word pasted into a paragraph stays inline: no new paragraph, no indent.
        QTest::newRow("inline snippet") << "format=true\r\nconversion=same\r\nredundant=true"
                                        << "再接再励"
                                        << "再接再厉";
    }
    void pasteFollowsAutoFormatSettings() {
        QFETCH(QString, autoFormat);
        QFETCH(QString, pasted);
        QVERIFY(setSection("auto_format", autoFormat));
        QVERIFY(open());
        // Through Jodit's own paste hook, as a real paste goes.
        QTEST(eval("corvelEditor.jodit.e.fire('beforePasteInsert', " +
                   PageLoader::jsString(pasted) + ")")
                  .toString(),
              "expected");
    }

    void datelineAndEditorLineGoToTheEnds() {
        QVERIFY(open());
        // The shipped lists: three datelines, two editor lines (one of them a block).
        QCOMPARE(eval("corvelEditor.settings.datelines.length").toInt(), 3);
        eval("corvelEditor.jodit.value = '<p>　　正文第一段</p><p>　　正文第二段</p>'");
        eval("corvelEditor.insertDateline(corvelEditor.settings.datelines[0])");
        eval("corvelEditor.insertEditorName(corvelEditor.settings.editorNames[1])");
        QCOMPARE(html(), QStringLiteral("<p>　　本报讯正文第一段</p><p>　　正文第二段</p>"
                                        "<p style=\"text-align:right\">（编辑：）</p>"));
    }
};

QTEST_MAIN(EditorPageTest)
#include "editor_page_test.moc"
