// What only a browser shows about hostile content in the editor page: the page's and the
// editing frame's content security policies stop inline handlers, and a value set from outside
// keeps no refresh, nor does the draft opened at start (pasted forms: paste.test.js; the paste
// hook: editor_page_test).
#include "page_loader.h"

class PageSecurityTest : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> app_, storage_;
    std::optional<PageLoader> loader_;

    QVariant eval(const QString& script) { return loader_->eval(script); }
    bool open() {
        loader_.emplace(storage_->path());
        return loader_->open(app_->path() + "/index.html");
    }

private slots:
    void init() {
        storage_.emplace();
        QVERIFY(CopyBuiltApp(app_, CORVEL_APP_DIR));
    }
    void cleanup() { loader_.reset(); }

    // Markup put straight into the DOM, past the sanitizer: only the policies stop its handlers.
    void inlineHandlersDoNotRun() {
        QVERIFY(open());
        eval("window.ran = []; const bad = (where) => '<img src=\"data:,x\" onerror=\"top.ran.push(\\'' + "
             "where + '\\')\">'; document.body.insertAdjacentHTML('beforeend', bad('page')); "
             "corvelEditor.jodit.editor.insertAdjacentHTML('beforeend', bad('frame'));");
        QTest::qWait(500);
        QCOMPARE(eval("window.ran.join()").toString(), QString());
        QVERIFY(eval("!!corvelEditor.jodit.editorDocument.querySelector("
                     "'head meta[http-equiv=Content-Security-Policy]')")
                    .toBool());
    }

    void aValueSetFromOutsideKeepsNoRefresh() {
        QVERIFY(open());
        eval("corvelEditor.setArticle('<meta http-equiv=\"refresh\" content=\"0;url=about:blank\">"
             "<base href=\"https://example.org/\"><p>正文</p>')");
        QCOMPARE(eval("corvelEditor.jodit.value").toString(), QStringLiteral("<p>正文</p>"));
        QCOMPARE(eval("corvelEditor.jodit.editorDocument.querySelectorAll('body meta,body base').length")
                     .toInt(),
                 0);
    }

    // The draft opened at start is the value the editor is made with, which Jodit puts in place
    // before its own hook runs: the page sanitizes it first, and marks its page breaks from the
    // first frame.
    void theDraftOpenedAtStartIsSanitized() {
        loader_.emplace(storage_->path());
        QVERIFY(loader_->useFakeHost(
            CORVEL_PAGE_TESTING_DIR "/fake-host.js",
            "window.ran = []; corvelFake.migrated = true; corvelFake.host.createArticle('<meta "
            "http-equiv=\"refresh\" content=\"0;url=about:blank\"><p>正文<img src=\"data:,x\" "
            "onerror=\"top.ran.push(1)\"></p><p>_ueditor_page_break_tag_</p><p>下一页</p>', '正文', 5);"));
        loader_->readyWhen = QStringLiteral("corvelEditor.painted");  // the divider from the first frame
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        QVERIFY(eval("corvelEditor.jodit.editor.children[1].hasAttribute('data-corvel-page-break')")
                    .toBool());
        QVERIFY(!eval("corvelEditor.jodit.history.canUndo()").toBool());
        QTest::qWait(300);
        QCOMPARE(eval("window.ran.length").toInt(), 0);
        QCOMPARE(eval("corvelEditor.jodit.editorDocument.querySelectorAll('body meta, [onerror]').length")
                     .toInt(),
                 0);
    }
};

QTEST_MAIN(PageSecurityTest)
#include "page_security_test.moc"
