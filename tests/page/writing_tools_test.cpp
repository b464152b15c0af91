// The writing tools in the built page, driven by real clicks and keys: where typing lands
// after a toolbar command has changed the article.
#include "page_loader.h"

class WritingToolsTest : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> app_, storage_;
    std::optional<PageLoader> loader_;

    QVariant eval(const QString& script) { return loader_->eval(script); }
    QWidget* input() { return loader_->view.focusProxy(); }

    // Clicks the middle of the first element that matches selector (in the page, not the
    // editing frame); false when there is none.
    bool click(const QString& selector) {
        const QVariantList at =
            eval("(() => { const e = document.querySelector(" + PageLoader::jsString(selector) +
                 "); if (!e) return []; const r = e.getBoundingClientRect();"
                 " return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]; })()")
                .toList();
        if (at.size() != 2) return false;
        QTest::mouseClick(input(), Qt::LeftButton, {}, QPoint(at[0].toInt(), at[1].toInt()));
        return true;
    }

private slots:
    void init() {
        storage_.emplace();
        QVERIFY(CopyBuiltApp(app_, CORVEL_APP_DIR));
        loader_.emplace(storage_->path());
        QVERIFY(loader_->open(app_->path() + "/index.html"));
    }
    void cleanup() { loader_.reset(); }

    void typingGoesOnAfterAnInsertedLine_data() {
        AddFixtureRows(CORVEL_PAGE_TEST_DIR, "caret_after_insert",
                       {"article", "command", "item", "expected"});
    }
    void typingGoesOnAfterAnInsertedLine() {
        QFETCH(QString, article);
        QFETCH(QString, command);
        QFETCH(QString, item);
        eval("corvelEditor.jodit.value = " + PageLoader::jsString(article));
        // The caret starts in the first line, where the fault put the typing.
        QVERIFY(click(".jodit-wysiwyg_iframe"));
        QVERIFY(WaitFor([&] { return eval("corvelEditor.jodit.editorDocument.hasFocus()").toBool(); }, 5000));
        QVERIFY(click(".jodit-toolbar-button_" + command + " button"));
        const QString entry = ".corvel-menu-item:nth-child(" + QString::number(item.toInt() + 1) + ")";
        QVERIFY(WaitFor([&] { return eval("!!document.querySelector('" + entry + "')").toBool(); }, 5000));
        QVERIFY(click(entry));
        QTest::keyClicks(input(), "ABC");
        QVERIFY(WaitFor([&] { return eval("corvelEditor.html").toString().contains("ABC"); }, 5000));
        QTEST(eval("corvelEditor.html").toString(), "expected");
    }
};

QTEST_MAIN(WritingToolsTest)
#include "writing_tools_test.moc"
