// The writing tools in the built page, driven by real clicks and keys: where typing lands
// after a toolbar command has changed the article.
#include "page_loader.h"
#include "qt_test_files.h"

// The toolbar's groups that are split over two rows, and its rows of one button, by name.
const QString kSplitGroupsAndLoneButtons = QStringLiteral(R"((() => {
  const name = (b) => [...b.classList].find((c) => /^jodit-toolbar-button_(?!size_)/.test(c)).slice(21);
  const top = (b) => Math.round(b.getBoundingClientRect().top);
  const runs = [];
  let run = null;
  for (const el of document.querySelectorAll('.jodit-toolbar__box .jodit-toolbar-button, .jodit-toolbar__box .jodit-ui-separator')) {
    if (el.classList.contains('jodit-ui-separator')) run = null;
    else if (run && el.closest('.jodit-ui-group') === run[0].closest('.jodit-ui-group')) run.push(el);
    else runs.push(run = [el]);
  }
  const rows = new Map();
  for (const b of runs.flat()) rows.set(top(b), (rows.get(top(b)) || []).concat(name(b)));
  return runs.filter((r) => r.some((b) => top(b) !== top(r[0]))).map((r) => 'split:' + r.map(name).join('+'))
    .concat([...rows.values()].filter((row) => row.length < 2).map((row) => 'alone:' + row)).join(' ');
})())");

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
        // With an article store, so that the toolbar holds every button the program shows.
        QVERIFY(loader_->useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js"));
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

    // 查找替换 from its button: replace-all over the whole article with a count, said in a
    // notice that covers no control and goes by itself.
    void replaceAllFromTheToolbarWithANotice() {
        eval("corvelEditor.jodit.value = '<p>一.二.</p><table><tbody><tr><td>三.</td></tr></tbody></table>'");
        QVERIFY(click(".jodit-toolbar-button_corvelFindReplace button"));
        QVERIFY(WaitFor([&] { return eval("document.activeElement.closest('#corvel-find-panel') !== null").toBool(); }, 5000));
        QTest::keyClicks(input(), ".");
        QTest::keyClick(input(), Qt::Key_Tab);
        QTest::keyClicks(input(), "!");
        QVERIFY(click("#corvel-find-panel button:nth-of-type(3)"));
        QVERIFY(WaitFor([&] { return eval("!!document.querySelector('.corvel-flashes .corvel-notice')").toBool(); }, 5000));
        QCOMPARE(eval("[corvelEditor.html, document.querySelector('.corvel-find-status').textContent].join('|')").toString(),
                 "<p>一!二!</p><table><tbody><tr><td>三!</td></tr></tbody></table>|已替换 3 处");
        // No button, field or bar of the page lies under the notice.
        QCOMPARE(eval("(() => { const n = document.querySelector('.corvel-flashes .corvel-notice').getBoundingClientRect();"
                      " return [...document.querySelectorAll('button, input, .jodit-toolbar__box, .jodit-status-bar')]"
                      ".filter((c) => !c.closest('.corvel-flashes')).map((c) => c.getBoundingClientRect())"
                      ".filter((r) => r.width && r.left < n.right && n.left < r.right && r.top < n.bottom && n.top < r.bottom).length; })()")
                     .toInt(),
                 0);
        QVERIFY(WaitFor([&] { return eval("!document.querySelector('.corvel-flashes .corvel-notice')").toBool(); }, 6000));
    }

    // Every toolbar set, in the first window's client area and on common screens: no group
    // (the buttons between two separators) is split over two rows, no row holds one button,
    // and in the first window the text keeps most of the height.
    void toolbarWrapsByGroups_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QSize>("size");
        for (const char* set : {"All", "Extended", "Standard", "Lite"})
            for (const QSize size : {QSize(634, 457), QSize(1280, 760), QSize(1600, 860), QSize(1920, 1040)})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(set).arg(size.width()))) << QString(set) << size;
    }
    void toolbarWrapsByGroups() {
        QFETCH(QString, set);
        QFETCH(QSize, size);
        const QString ini = app_->path() + "/web.ini";
        QVERIFY(WriteFileBytes(ini, FileBytes(ini).replace("toolbars=Standard", "toolbars=" + set.toLatin1())));
        loader_->view.resize(size);
        QVERIFY(loader_->open());
        QVERIFY(WaitFor([&] { return eval("corvelEditor.toolbarSet").toString() == set; }, 5000));
        QTest::qWait(300);  // the layout follows the toolbar's height
        QCOMPARE(eval(kSplitGroupsAndLoneButtons).toString(), QString());
        if (size.width() == 634) QVERIFY(eval("corvelEditor.jodit.workplace.offsetHeight").toInt() * 2 > size.height());
    }
};

QTEST_MAIN(WritingToolsTest)
#include "writing_tools_test.moc"
