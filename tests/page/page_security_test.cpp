// What only a browser shows about hostile content in the editor page: the page's and the
// editing frame's content security policies stop inline handlers, and a real paste or a value
// set from outside keeps no form and no refresh.
#include "page_loader.h"

class PageSecurityTest : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> app_, storage_;
    std::optional<PageLoader> loader_;

    QVariant eval(const QString& script) { return loader_->eval(script); }
    // Opens the copied page with `format=` in [auto_format] set to autoFormat.
    bool open(bool autoFormat) {
        QFile ini(app_->path() + "/web.ini");
        if (!ini.open(QIODevice::ReadWrite)) return false;
        QByteArray text = ini.readAll();
        text.replace("\nformat=true", autoFormat ? "\nformat=true" : "\nformat=false");
        if (!ini.seek(0) || ini.write(text) != text.size()) return false;
        ini.close();
        loader_.emplace(storage_->path());
        return loader_->open(app_->path() + "/index.html");
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

    // Markup put straight into the DOM, past the sanitizer: only the policies stop its handlers.
    void inlineHandlersDoNotRun() {
        QVERIFY(open(true));
        eval("window.ran = []; const bad = (where) => '<img src=\"data:,x\" onerror=\"top.ran.push(\\'' + "
             "where + '\\')\">'; document.body.insertAdjacentHTML('beforeend', bad('page')); "
             "corvelEditor.jodit.editor.insertAdjacentHTML('beforeend', bad('frame'));");
        QTest::qWait(500);
        QCOMPARE(eval("window.ran.join()").toString(), QString());
        QVERIFY(eval("!!corvelEditor.jodit.editorDocument.querySelector("
                     "'head meta[http-equiv=Content-Security-Policy]')")
                    .toBool());
    }

    void pastedFormsDoNotSurvive_data() {
        QTest::addColumn<bool>("autoFormat");
        QTest::newRow("formatting on") << true;
        QTest::newRow("formatting off") << false;
    }
    void pastedFormsDoNotSurvive() {
        QFETCH(bool, autoFormat);
        QVERIFY(open(autoFormat));
        eval("(() => { const j = corvelEditor.jodit; j.s.focus(); const dt = new DataTransfer(); "
             "dt.setData('text/html', '<p>报名表</p><form action=\"https://example.org/\"><p>姓名"
             "<input name=\"n\"><button>提交</button></p></form>'); j.editor.dispatchEvent("
             "new ClipboardEvent('paste', {clipboardData: dt, bubbles: true, cancelable: true})); })()");
        QTRY_VERIFY(eval("corvelEditor.jodit.value.includes('报名表')").toBool());
        QCOMPARE(eval("corvelEditor.jodit.editor.querySelectorAll('form,input,button').length").toInt(), 0);
    }

    void aValueSetFromOutsideKeepsNoRefresh() {
        QVERIFY(open(true));
        eval("corvelEditor.setArticle('<meta http-equiv=\"refresh\" content=\"0;url=about:blank\">"
             "<base href=\"https://example.org/\"><p>正文</p>')");
        QCOMPARE(eval("corvelEditor.jodit.value").toString(), QStringLiteral("<p>正文</p>"));
        QCOMPARE(eval("corvelEditor.jodit.editorDocument.querySelectorAll('body meta,body base').length")
                     .toInt(),
                 0);
    }
};

QTEST_MAIN(PageSecurityTest)
#include "page_security_test.moc"
