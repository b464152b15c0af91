// Drives the built editor page in a real web view, offscreen: no request leaves the machine,
// the settings in web.ini reach the editor, and the article survives reloads.
#include "page_loader.h"

#include <QClipboard>

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

    static void addRows(const char* table, std::initializer_list<const char*> columns) {
        AddFixtureRows(CORVEL_PAGE_TEST_DIR, table, columns);
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
        // The editor refits as the status bar and the notices take their height, which can take
        // a few rounds at start-up; the state checked is the one it settles in.
        const QString fits = "corvelEditor.jodit.workplace.offsetHeight >= corvelEditor.settings.frameHeight";
        for (int round = 0; round < 3; ++round) {
            waitTrue(fits);
            QTest::qWait(200);
        }
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

        // The version kept before 一键排版 is the article as it stood.
        eval("window.beforeFormat = corvelEditor.html; corvelEditor.format()");
        QVERIFY(waitTrue(stored + ".snapshots.some((s) => s.reason === 'format' && s.html === window.beforeFormat)"));
        QVERIFY(eval("corvelEditor.html !== window.beforeFormat").toBool());

        // The Word writer runs in this browser, with the image inlined from the store.
        eval("corvelEditor.articles.exportAs('docx')");
        QVERIFY(waitTrue("!!corvelFake.saved", 5000));
        // The Word libraries load when first needed, under the page's security policy.
        eval("CorvelPage.mammoth().then((m) => (window.reader = typeof m.convertToHtml))");
        QVERIFY(waitTrue("!!window.reader"));
        QCOMPARE(eval("[corvelFake.saved.kind, corvelFake.saved.isBase64, corvelFake.saved.data"
                      ".startsWith('UEsD'), typeof docx.Packer, window.reader].join()")
                     .toString(),
                 QStringLiteral("docx,true,true,function,function"));
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

    // Pictures from disk reach the article through the host: 图片 → 上传 with the file dialog,
    // a dropped file, a pasted file; one that cannot be read is refused with its reason. A web
    // picture that cannot be fetched keeps its address and gets a red frame.
    void pictureFilesGoThroughTheHost_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("gone");
        QTest::newRow("上传") << QString() << false;
        QTest::newRow("dropped") << "new DragEvent('drop', {dataTransfer: dt, bubbles: true})" << false;
        QTest::newRow("pasted") << "new ClipboardEvent('paste', {clipboardData: dt, bubbles: true})" << false;
        QTest::newRow("gone from disk") << "new DragEvent('drop', {dataTransfer: dt, bubbles: true})" << true;
    }
    void pictureFilesGoThroughTheHost() {
        QFETCH(QString, event);
        QFETCH(bool, gone);
        const QString picture = app_->path() + "/photo.jpg";
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(picture, "JPEG"));
        loader_.emplace(storage_->path());
        QVERIFY(loader_->useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js"));
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        eval("corvelEditor.jodit.value = '<p>　　正文<img src=\"https://example.invalid/a.jpg\"></p>'");
        loader_->page->chosenFiles = {picture};
        // The file is picked with a real click, which alone opens the file dialog: in Jodit's
        // picture popup, or in an input of the test's own for a drop or a paste.
        eval(event.isNull() ? "document.querySelector('.jodit-toolbar-button_image button').click()"
                            : "document.body.insertAdjacentHTML('beforeend', '<input type=file id=pick "
                              "style=\"position:fixed;left:0;top:0;z-index:99999\">')");
        const QVariantList at = eval("(r => r && [r.left + r.width / 2, r.top + r.height / 2])(document.querySelector('" +
                                     QString(event.isNull() ? ".jodit-popup input[type=file]" : "#pick") +
                                     "')?.getBoundingClientRect())").toList();
        QTest::mouseClick(input(), Qt::LeftButton, {}, QPoint(at.value(0).toInt(), at.value(1).toInt()));
        if (!event.isNull()) {
            QVERIFY(waitTrue("document.getElementById('pick').files.length === 1"));
            if (gone) QVERIFY(QFile::remove(picture));
            eval("(() => { const dt = new DataTransfer(); dt.items.add(document.getElementById('pick').files[0]); "
                 "corvelEditor.jodit.s.focus(); corvelEditor.jodit.editor.dispatchEvent(" + event + "); })()");
        }
        QVERIFY(waitTrue(gone ? "document.body.innerText.includes('图片“photo.jpg”无法插入：文件无法读取') && "
                                "!corvelEditor.html.includes('null')"
                              : "(a => /<img src=\"corvel-article:/.test(a.html) && !a.html.includes('data:'))"
                                "(corvelFake.articles.get(corvelEditor.session.currentId()))",
                         5000));
        QVERIFY(waitTrue("corvelEditor.html.includes('src=\"https://example.invalid/a.jpg\" data-corvel-mark="
                         "\"remote-image\"') && document.getElementById('corvel-notices').textContent.includes('网络图片')"));
        QCOMPARE(loader_->page->errors, QStringList());
    }

    // Ctrl+P and the PDF of 导出 print through the program a copy of the article alone, which
    // is gone again afterwards.
    void printingGoesThroughTheProgram() {
        loader_.emplace(storage_->path());
        QVERIFY(loader_->useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js"));
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        eval("corvelEditor.jodit.value = '<p>第一段<span data-corvel-law=\"term\">最佳</span></p>'");
        eval("corvelEditor.jodit.s.focus()");
        QTest::keyClick(input(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(waitTrue("corvelFake.printed === '<p>第一段最佳</p>'"));
        QVERIFY(waitTrue("document.getElementById('corvel-print').innerHTML === ''"));
        eval("corvelEditor.articles.exportAs('pdf')");
        QVERIFY(waitTrue("corvelFake.saved && corvelFake.saved.name === '第一段最佳.pdf'"));
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

    // A paste that comes while the conversion library is still loading is converted once it has
    // loaded, where it was pasted, though the writer has moved the caret meanwhile.
    void pasteBeforeConversionLoadsIsConverted() {
        QVERIFY(writeIni("[auto_format]\r\nconversion=traditional\r\n"));
        loader_.emplace(storage_->path());
        QWebEngineScript hold;  // keeps the library's script out until releaseOpencc()
        hold.setSourceCode(
            "const add = Node.prototype.appendChild; Node.prototype.appendChild = function (n) {"
            " if (!/opencc/.test(n.src || '') || window.releaseOpencc) return add.call(this, n);"
            " window.releaseOpencc = () => add.call(this, n); return n; };");
        hold.setInjectionPoint(QWebEngineScript::DocumentCreation);
        hold.setWorldId(QWebEngineScript::MainWorld);
        loader_->page->scripts().insert(hold);
        loader_->readyWhen = "corvelEditor.ready";
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        const QString caret = "(() => { const j = corvelEditor.jodit; j.s.focus();"
                              " j.s.setCursorIn(j.editor.querySelector('p'), %1); })()";
        eval("corvelEditor.jodit.value = '<p>甲乙</p>';" + caret.arg("false") +
             "; const dt = new DataTransfer(); dt.setData('text/plain', '软件'); corvelEditor.jodit"
             ".editor.dispatchEvent(new ClipboardEvent('paste', {clipboardData: dt, bubbles: true}))");
        QVERIFY(waitTrue("!!window.releaseOpencc"));
        QCOMPARE(html(), QStringLiteral("<p>甲乙</p>"));
        eval(caret.arg("true") + "; releaseOpencc()");
        QTRY_COMPARE(html(), QStringLiteral("<p>甲乙軟件</p>"));
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

    // 复制到公众号 clicked as the user clicks it: the system clipboard's text/html is the 公众号
    // copy (inline styles only, the outside link as a numbered reference), the text its words.
    void copyForWechatReachesTheClipboard() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<h1>标题</h1><p class=\"lead\">见<a href=\"https://example.com/\">"
             "官网</a>。</p><table><tr><td>甲</td></tr></table>'");
        QGuiApplication::clipboard()->clear();
        const QVariantList at = eval(
            "(() => { const r = document.querySelector('.jodit-toolbar-button_corvelCopyWechat button')"
            ".getBoundingClientRect(); return [Math.round(r.left + r.width / 2), Math.round(r.top + "
            "r.height / 2)]; })()").toList();
        QCOMPARE(at.size(), 2);
        QTest::mouseClick(input(), Qt::LeftButton, {}, QPoint(at[0].toInt(), at[1].toInt()));
        const auto copiedHtml = [] {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            return data && data->hasHtml();
        };
        QTRY_VERIFY(copiedHtml());
        const QString copied = QGuiApplication::clipboard()->mimeData()->html();
        QVERIFY2(copied.contains(u"<section style=") && copied.contains(u"<td style=") &&
                     copied.contains(u"[1] 官网：https://example.com/") && !copied.contains(u"class=") &&
                     !copied.contains(u"<a "),
                 qPrintable(copied));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"标题\n见官网[1]。\n甲"));
    }

    // 发稿体检 for 新闻源 in the shared findings panel: a click on the second of two equal phone
    // numbers selects the second one in the article.
    void publishCheckMovesToItsFinding() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<p>标题</p><p>电话 13800138000，<b>再拨</b> 13800138000</p>'");
        eval("corvelEditor.publish.check('news')");
        QVERIFY(waitTrue("document.querySelectorAll('#corvel-findings [data-rule=\"联系方式：手机号\"]').length === 2"));
        eval("document.querySelectorAll('#corvel-findings [data-rule=\"联系方式：手机号\"]')[1].click()");
        QCOMPARE(eval("(() => { const r = corvelEditor.jodit.s.range; return [r.toString(), "
                      "r.startContainer.previousSibling && r.startContainer.previousSibling.nodeName].join(); })()")
                     .toString(),
                 QStringLiteral("13800138000,B"));
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
