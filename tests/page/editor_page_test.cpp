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
    bool waitTrue(const QString& script, int ms = 3000) {
        return WaitFor([&] { return eval(script).toBool(); }, ms, 50);
    }
    // Puts file in place of the copied web.ini; a null file removes it.
    bool writeIni(const QByteArray& file) {
        QFile ini(webIni());
        if (file.isNull()) return ini.remove();
        return ini.open(QIODevice::WriteOnly | QIODevice::Truncate) && ini.write(file) == file.size();
    }

    int scrollTop() { return eval("corvelEditor.jodit.ed.scrollingElement.scrollTop").toInt(); }
    // A point of the editing area in widget pixels (offscreen, one CSS pixel is one pixel).
    QPoint inEditingArea(const QString& yExpression) {
        const QVariantList at =
            eval(
                "(() => { const r = corvelEditor.jodit.iframe.getBoundingClientRect(); "
                "return [Math.round(r.left + 60), Math.round(r.top + (" +
                yExpression + "))]; })()")
                .toList();
        return at.size() == 2 ? QPoint(at[0].toInt(), at[1].toInt()) : QPoint();
    }
    QWidget* input() { return loader_->view.focusProxy(); }

    // Rows of text columns from fixtures/<table>.json: {"rows": [[row name, column...], ...]};
    // a JSON null is a null string.
    static void addRows(const char* table, std::initializer_list<const char*> columns) {
        QFile file(QStringLiteral(CORVEL_PAGE_TEST_DIR "/fixtures/%1.json").arg(table));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const char* column : columns) QTest::addColumn<QString>(column);  // kept, not copied
        for (const QJsonValue row : QJsonDocument::fromJson(file.readAll())["rows"].toArray()) {
            QTestData& data = QTest::newRow(row[0].toString().toUtf8());
            for (qsizetype i = 1; i <= qsizetype(columns.size()); ++i) data << row[i].toString();
        }
    }

private slots:
    void init() {
        storage_.emplace();
        QVERIFY(CopyBuiltApp(app_, CORVEL_APP_DIR));
    }

    void cleanup() { loader_.reset(); }

    void shippedPageMakesNoRemoteRequest() {
        QVERIFY(open());
        // Give late loaders (fonts, images, lazy plugins) a moment to show up.
        QTest::qWait(1500);
        QCOMPARE(loader_->recorder.remote, QStringList());
        QCOMPARE(loader_->page->errors, QStringList());
        // Outside the program the only notice says that articles are not kept, and there is no
        // article button.
        QCOMPARE(eval("[corvelEditor.notices.join(), ...['.jodit-toolbar-button_corvelArticles', "
                      "'.jodit-wysiwyg_iframe'].map((c) => !!document.querySelector(c))].join('|')")
                     .toString(),
                 QStringLiteral("未连接到程序的文章库：文章只保存在本页面中，不能打开、导出或查看历史。"
                                "|false|true"));
    }

    // The whole web.ini as read from disk: a null file is none at all, an empty one is empty.
    void webIniReachesTheEditor_data() { addRows("web_ini_cases", {"file", "expected"}); }
    void webIniReachesTheEditor() {
        QFETCH(QString, file);
        QVERIFY(writeIni(file.isNull() ? QByteArray() : file.toLatin1()));
        QVERIFY(open());
        QTEST(eval("[corvelEditor.toolbarSet, corvelEditor.wordCountShown, "
                   "!!document.querySelector('.corvel-word-count'), "
                   "corvelEditor.settings.frameHeight, "
                   "corvelEditor.jodit.workplace.offsetHeight >= corvelEditor.settings.frameHeight, "
                   "!!document.querySelector('.jodit-toolbar-button_corvelFormat'), "
                   "(t => t.includes('读不到任何设置') ? 'unreadable' : t.includes('web.ini') ? "
                   "'missing' : 'none')(document.getElementById('corvel-notices').textContent)]"
                   ".join()")
                  .toString(),
              "expected");
    }

    // With an article store in place of the program's bridge: saving, images, the Word
    // libraries in this browser, and the whole-text commands keeping a version first.
    void articlesGoThroughTheHost() {
        loader_.emplace(storage_->path());
        QVERIFY(loader_->useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js"));
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        const QString stored = "corvelFake.articles.get(corvelEditor.session.currentId())";
        QCOMPARE(eval("['corvelArticles', 'corvelHistory', 'corvelOpen', 'corvelExport']"
                      ".filter((b) => document.querySelector('.jodit-toolbar-button_' + b)).length")
                     .toInt(),
                 4);
        eval("corvelEditor.jodit.value = '<p>　　第一段</p>'");
        QVERIFY(waitTrue(stored + ".html.includes('第一段')"));

        // A pasted image is stored; the saved article refers to it, not to its bytes.
        eval(
            "corvelEditor.jodit.s.insertHTML('<img src=\"data:image/png;base64,"
            "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU"
            "5ErkJggg==\">')");
        QVERIFY(waitTrue(stored + ".html.includes('corvel-article://') && !" + stored +
                         ".html.includes('data:')"));
        // The in-memory store serves no image files: the image is framed and a notice says so.
        QVERIFY(waitTrue("document.getElementById('corvel-notices').textContent.includes("
                         "'有图片文件缺失') && corvelEditor.html.includes('data-corvel-mark=\"broken-image\"')"));

        eval("corvelEditor.format()");
        QVERIFY(waitTrue(stored + ".snapshots.some((s) => s.reason === 'format')"));

        // The Word writer runs in this browser, with the image inlined from the store.
        eval("corvelEditor.articles.exportAs('docx')");
        QVERIFY(waitTrue("!!corvelFake.saved", 5000));
        QCOMPARE(eval("[corvelFake.saved.kind, corvelFake.saved.isBase64, corvelFake.saved.data"
                      ".startsWith('UEsD'), typeof mammoth.convertToHtml].join()")
                     .toString(),
                 QStringLiteral("docx,true,true,function"));
        // The export opens again here, through the zip reader bundled into the page.
        eval("corvelFake.host.chooseOpenFile = async () => ({ ok: true, cancelled: false, kind: 'docx',"
             " name: '往返.docx', base64: corvelFake.saved.data })");
        eval("corvelEditor.articles.openFile()");
        QVERIFY(waitTrue("document.querySelector('.corvel-flashes').textContent.includes('已打开“往返.docx”')", 5000));
        QVERIFY(waitTrue("corvelEditor.html.includes('第一段')"));

        // Ctrl+S typed into the editor saves at once and says so.
        eval("corvelEditor.jodit.s.focus()");
        QTest::keyClick(loader_->view.focusProxy(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(waitTrue("document.querySelector('.corvel-flashes').textContent.includes('已保存')"));
        QCOMPARE(loader_->page->errors, QStringList());
    }

    // A whole Word clipboard, pasted as the user pastes it: Jodit's paste handling first, then
    // the formatter, which must still see Word's list and hidden-text markup.
    void realPasteOfWordHtmlKeepsItsStructure() {
        QVERIFY(open());  // the shipped settings format pastes
        QFile fixture(QStringLiteral(CORVEL_PAGE_TEST_DIR "/fixtures/word-paste.html"));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        eval("(() => { const j = corvelEditor.jodit; j.s.focus(); const dt = new DataTransfer(); "
             "dt.setData('text/html', " + PageLoader::jsString(QString::fromUtf8(fixture.readAll())) +
             "); j.editor.dispatchEvent(new ClipboardEvent('paste', {clipboardData: dt, "
             "bubbles: true, cancelable: true})); })()");
        QTRY_COMPARE(eval("['<ol><li>第一项安排</li></ol>', '<strong>活动亮点</strong>', '隐藏批注']"
                          ".map((t) => corvelEditor.jodit.value.includes(t)).join()")
                         .toString(),
                     QStringLiteral("true,true,false"));
    }

    void clickBelowTheTextPutsTheCaretAtTheEnd_data() {
        addRows("click_below", {"article", "typedAtEnd"});
    }
    void clickBelowTheTextPutsTheCaretAtTheEnd() {
        QFETCH(QString, article);
        QVERIFY(open());
        eval("corvelEditor.jodit.value = " + PageLoader::jsString(article));
        // Well below the last element, in the empty part of the editing area.
        QTest::mouseClick(input(), Qt::LeftButton, {},
                          inEditingArea("corvelEditor.jodit.editor.lastElementChild"
                                        ".getBoundingClientRect().bottom + 120"));
        QTRY_VERIFY(eval("corvelEditor.jodit.ed.hasFocus()").toBool());
        QTest::keyClicks(input(), "end");
        QFETCH(QString, typedAtEnd);
        QTRY_COMPARE(html(), typedAtEnd);
    }

    // At each window size the editor fills the window and a long article scrolls inside it.
    void editorFillsTheWindowAndScrollsInside_data() {
        QTest::addColumn<QSize>("window");
        QTest::newRow("first window") << QSize(634, 480);
        QTest::newRow("maximised") << QSize(1280, 760);
        QTest::newRow("large screen") << QSize(1900, 1040);
    }
    void editorFillsTheWindowAndScrollsInside() {
        QFETCH(QSize, window);
        QVERIFY(open());
        loader_->view.resize(window);
        eval("corvelEditor.jodit.value = Array.from({length: 120}, (_, i) => "
             "'<p>　　第' + (i + 1) + '段正文，用来检查编辑区能否滚动。</p>').join('')");
        // Heights from the page: window, editor bottom, editing area, status bar bottom.
        const auto facts = [this] {
            return eval(
                       "(() => { const j = corvelEditor.jodit; return [innerHeight, "
                       "Math.round(j.container.getBoundingClientRect().bottom), "
                       "j.workplace.offsetHeight, "
                       "Math.round(j.statusbar.container.getBoundingClientRect().bottom)]; })()")
                .toList();
        };
        QTRY_COMPARE(facts().value(0).toInt(), window.height());
        QTRY_VERIFY(facts().value(2).toInt() >= 520);
        const QVariantList f = facts();
        const int inner = f[0].toInt(), bottom = f[1].toInt(), statusBottom = f[3].toInt();

        QCOMPARE(scrollTop(), 0);
        QTest::qWait(300);
        const QImage before = loader_->view.grab().toImage();
        const QPoint at = inEditingArea("100");
        QWheelEvent wheel(at, loader_->view.mapToGlobal(at), QPoint(), QPoint(0, -360),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(input(), &wheel);
        QTRY_VERIFY(scrollTop() > 100);
        // The area scrolls inside itself: the page and its toolbar stay where they were.
        QCOMPARE(eval("[scrollY, corvelEditor.jodit.toolbarContainer.getBoundingClientRect().top"
                      " >= 0].join()").toString(), QStringLiteral("0,true"));
        QTest::qWait(300);  // let the scrolled area paint
        QVERIFY(loader_->view.grab().toImage() != before);
        // Ctrl+End reaches the end of the article: the caret in the last paragraph, and that
        // paragraph scrolled into view.
        QTest::mouseClick(input(), Qt::LeftButton, {}, inEditingArea("20"));
        QTest::keyClick(input(), Qt::Key_End, Qt::ControlModifier);
        QTRY_COMPARE(
            eval("(() => { const j = corvelEditor.jodit, last = j.editor.lastElementChild; "
                 "const s = j.ew.getSelection(), r = last.getBoundingClientRect(); "
                 "const e = j.ed.scrollingElement; "
                 "return [last.contains(s.anchorNode), r.top >= 0, "
                 "r.top < e.clientHeight, "
                 "e.scrollHeight - e.clientHeight - e.scrollTop < 60, "
                 "e.scrollHeight > 2 * j.iframe.offsetHeight].join(); })()")
                .toString(),
            QStringLiteral("true,true,true,true,true"));

        if (window.height() > 700) {
            // No band: the editor ends at the page margin, and the editing area grew with it.
            QVERIFY2(inner - bottom >= 6 && inner - bottom <= 10,
                     qPrintable(QString::number(inner - bottom)));
            QVERIFY(f[2].toInt() > window.height() - 200);
            // The screenshot agrees: just above the margin is the editor's status bar, not the
            // page's grey.
            QTest::qWait(300);
            const QImage shot = loader_->view.grab().toImage();
            const QColor grey(0xf3, 0xf4, 0xf6);
            QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() - 3), grey);
            QVERIFY(shot.pixelColor(shot.width() / 2, shot.height() - 12) != grey);
        } else {
            // A window lower than the least height: the page scrolls, but the counter in the
            // status bar stays in view.
            QVERIFY(statusBottom <= inner);
            QVERIFY(eval("!!document.querySelector('.corvel-word-count')").toBool());
            // Scrolled down, the toolbar stays at the top and the status bar at the bottom.
            eval("window.scrollTo(0, 150)");
            QTRY_COMPARE(eval("[scrollY > 0, "
                              "corvelEditor.jodit.toolbarContainer.getBoundingClientRect().top, "
                              "corvelEditor.jodit.statusbar.container.getBoundingClientRect()"
                              ".bottom <= innerHeight].join()")
                             .toString(),
                         QStringLiteral("true,0,true"));
        }
    }

    void toolbarAndPopupTextsAreChinese() {
        QVERIFY(writeIni("[ueditor]\r\ntoolbars=All\r\n"));
        QVERIFY(open());
        QFile script(QStringLiteral(CORVEL_PAGE_TEST_DIR "/visible_texts.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QJsonObject texts =
            QJsonDocument::fromJson(eval(QString::fromUtf8(script.readAll())).toString().toUtf8())
                .object();
        // The gathering works: it saw the toolbar, lists and popups in Chinese.
        QVERIFY(texts["count"].toInt() > 200);
        QCOMPARE(texts["samples"].toArray().size(), 5);
        QCOMPARE(texts["latin"].toArray(), QJsonArray());
    }

    // The whole-article commands on the live editor; the page reloads when there is a second
    // script.
    void commandsOnTheArticle_data() {
        addRows("article_commands", {"article", "script", "afterReload", "expected"});
    }
    void commandsOnTheArticle() {
        QFETCH(QString, article);
        QFETCH(QString, script);
        QFETCH(QString, afterReload);
        const auto run = [this](const QString& body) {
            return eval("(() => { const e = corvelEditor, j = e.jodit, before = e.html; "
                        "const undo = () => (j.execCommand('undo'), e.html === before); " +
                        body + " })().join()")
                .toString();
        };
        QVERIFY(open());
        eval("corvelEditor.jodit.value = " + PageLoader::jsString(article));
        QString result = run(script);
        if (!afterReload.isEmpty()) {
            QVERIFY(loader_->open());
            result += "|" + run(afterReload);
        }
        QTEST(result, "expected");
    }
};

QTEST_MAIN(EditorPageTest)
#include "editor_page_test.moc"
