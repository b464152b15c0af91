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

    // A long article (enough to scroll in any window) in the editor.
    void loadLongArticle() {
        eval(
            "corvelEditor.jodit.value = Array.from({length: 80}, (_, i) => "
            "'<p>　　第' + (i + 1) + '段正文，用来检查编辑区能否滚动。</p>').join('')");
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
        // Outside the program the only notice says that articles are not kept.
        QCOMPARE(eval("corvelEditor.notices.join()").toString(),
                 QStringLiteral(
                     "未连接到程序的文章库：文章只保存在本页面中，不能打开、导出或查看历史。"));
        QVERIFY(!eval("!!document.querySelector('.jodit-toolbar-button_corvelArticles')").toBool());
        QVERIFY(eval("!!document.querySelector('.jodit-wysiwyg_iframe')").toBool());
    }

    void toolbarSetAndCounterFollowWebIni_data() {
        QTest::addColumn<QString>("ueditor");  // empty: no web.ini at all
        // Toolbar set, counter setting, counter shown, least editing height and whether the
        // editing area has at least that height, one-click format
        // button (every set has it), web.ini notice (only a missing file is reported).
        QTest::addColumn<QString>("expected");
        QTest::newRow("lite") << "toolbars=Lite\r\nwordCount=true\r\ninitialFrameHeight=300"
                              << "Lite,true,true,300,true,true,false";
        QTest::newRow("all") << "toolbars=All\r\nwordCount=false"
                             << "All,false,false,520,true,true,false";
        QTest::newRow("unknown") << "toolbars=lite\r\nwordCount=TRUE\r\ninitialFrameHeight=abc"
                                 << "Standard,false,false,520,true,true,false";
        QTest::newRow("missing web.ini") << ""
                                         << "Standard,true,true,520,true,true,true";
    }
    void toolbarSetAndCounterFollowWebIni() {
        QFETCH(QString, ueditor);
        QVERIFY(ueditor.isEmpty() ? QFile::remove(webIni()) : setSection("ueditor", ueditor));
        QVERIFY(open());
        QTEST(
            eval("[corvelEditor.toolbarSet, corvelEditor.wordCountShown, "
                 "!!document.querySelector('.corvel-word-count'), "
                 "corvelEditor.settings.frameHeight, "
                 "corvelEditor.jodit.workplace.offsetHeight >= corvelEditor.settings.frameHeight, "
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

    // With an article store in place of the program's bridge: saving, images, the Word
    // libraries in this browser, and the whole-text commands keeping a version first.
    void articlesGoThroughTheHost() {
        loader_.emplace(storage_->path());
        QVERIFY(loader_->useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js"));
        QVERIFY(loader_->open(app_->path() + "/index.html"));
        const auto stored = [this] {
            return eval("corvelFake.articles.get(corvelEditor.session.currentId()).html")
                .toString();
        };
        QCOMPARE(eval("['corvelArticles', 'corvelHistory', 'corvelOpen', 'corvelExport']"
                      ".filter((b) => document.querySelector('.jodit-toolbar-button_' + b)).length")
                     .toInt(),
                 4);
        eval("corvelEditor.jodit.value = '<p>　　第一段</p>'");
        QVERIFY(WaitFor([&] { return stored().contains(QStringLiteral("第一段")); }, 3000, 50));

        // A pasted image is stored; the saved article refers to it, not to its bytes.
        eval(
            "corvelEditor.jodit.s.insertHTML('<img src=\"data:image/png;base64,"
            "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU"
            "5ErkJggg==\">')");
        QVERIFY(WaitFor([&] { return stored().contains("corvel-article://"); }, 3000, 50));
        QVERIFY(!stored().contains("data:"));
        // The in-memory store serves no image files: the image is framed and a notice says so.
        QVERIFY(WaitFor(
            [&] {
                return eval(
                           "document.getElementById('corvel-notices').textContent"
                           ".includes('有图片文件缺失')")
                    .toBool();
            },
            3000, 50));
        QVERIFY(html().contains("data-corvel-mark=\"broken-image\""));

        eval("corvelEditor.format()");
        QVERIFY(WaitFor(
            [&] {
                return eval(
                           "corvelFake.articles.get(corvelEditor.session.currentId())"
                           ".snapshots.some((s) => s.reason === 'format')")
                    .toBool();
            },
            3000, 50));

        // The Word writer runs in this browser, with the image inlined from the store.
        eval("corvelEditor.articles.exportAs('docx')");
        QVERIFY(WaitFor([&] { return eval("!!corvelFake.saved").toBool(); }, 5000, 50));
        QCOMPARE(eval("[corvelFake.saved.kind, corvelFake.saved.isBase64, "
                      "corvelFake.saved.data.startsWith('UEsD')].join()")
                     .toString(),
                 QStringLiteral("docx,true,true"));
        QVERIFY(eval("typeof mammoth.convertToHtml === 'function'").toBool());

        // Ctrl+S typed into the editor saves at once and says so.
        eval("corvelEditor.jodit.s.focus()");
        QTest::keyClick(loader_->view.focusProxy(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(WaitFor(
            [&] {
                return eval(
                           "document.querySelector('.corvel-flashes').textContent.includes('已保存'"
                           ")")
                    .toBool();
            },
            3000, 50));
        QCOMPARE(loader_->page->errors, QStringList());
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
        // Word's fake list from the clipboard stays a list, with Chinese punctuation.
        QTest::newRow("Word list") << "format=true\r\nconversion=same\r\nredundant=false"
                                   << "<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'>"
                                      "<![if !supportLists]><span>1.<span>&nbsp;&nbsp;</span>"
                                      "</span><![endif]>第一项(试行)</p>"
                                      "<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'>"
                                      "<![if !supportLists]><span>2.<span>&nbsp;&nbsp;</span>"
                                      "</span><![endif]>第二项,完成</p>"
                                   << "<ol><li>第一项（试行）</li><li>第二项，完成</li></ol>";
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

    // A whole Word clipboard, pasted as the user pastes it: Jodit's paste handling first, then
    // the formatter, which must still see Word's list and hidden-text markup.
    void realPasteOfWordHtmlKeepsItsStructure() {
        QVERIFY(setSection("auto_format", "format=true\r\nconversion=same\r\nredundant=false"));
        QVERIFY(open());
        QFile fixture(QStringLiteral(CORVEL_PAGE_TEST_DIR "/fixtures/word-paste.html"));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        eval("(() => { const j = corvelEditor.jodit; j.s.focus(); const dt = new DataTransfer(); "
             "dt.setData('text/html', " + PageLoader::jsString(QString::fromUtf8(fixture.readAll())) +
             "); j.editor.dispatchEvent(new ClipboardEvent('paste', {clipboardData: dt, "
             "bubbles: true, cancelable: true})); })()");
        QTRY_VERIFY(eval("corvelEditor.jodit.value.includes('<ol><li>第一项安排</li></ol>')").toBool());
        QVERIFY(eval("corvelEditor.jodit.value.includes('<strong>活动亮点</strong>')").toBool());
        QVERIFY(!eval("corvelEditor.jodit.value.includes('隐藏批注')").toBool());
    }

    void wheelAndKeyboardScrollTheEditingArea() {
        QVERIFY(open());
        loadLongArticle();
        QCOMPARE(scrollTop(), 0);
        const QImage before = loader_->view.grab().toImage();
        const QPoint at = inEditingArea("100");
        QWheelEvent wheel(at, loader_->view.mapToGlobal(at), QPoint(), QPoint(0, -360),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(input(), &wheel);
        QTRY_VERIFY(scrollTop() > 100);
        // The area scrolls inside itself: the page and its toolbar stay where they were.
        QCOMPARE(eval("window.scrollY").toInt(), 0);
        QVERIFY(
            eval("corvelEditor.jodit.toolbarContainer.getBoundingClientRect().top >= 0").toBool());
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
                 "e.scrollHeight - e.clientHeight - e.scrollTop < 60].join(); })()")
                .toString(),
            QStringLiteral("true,true,true,true"));
        QVERIFY(eval("corvelEditor.jodit.ed.scrollingElement.scrollHeight > "
                     "2 * corvelEditor.jodit.iframe.offsetHeight")
                    .toBool());
    }

    void clickBelowTheTextPutsTheCaretAtTheEnd_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("typedAtEnd");
        QTest::newRow("last paragraph") << "<p>　　第一段</p><p>　　第二段</p>"
                                        << "<p>　　第一段</p><p>　　第二段end</p>";
        // After a final table the typing goes into a new paragraph at the end.
        QTest::newRow("last table") << "<p>　　第一段</p><table><tr><td>表格</td></tr></table>"
                                    << "<p>　　第一段</p><table><tbody><tr><td>表格</td></tr>"
                                       "</tbody></table><p>end</p>";
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

    void editorFillsTheWindow_data() {
        QTest::addColumn<QSize>("window");
        QTest::newRow("first window") << QSize(634, 480);
        QTest::newRow("maximised") << QSize(1280, 760);
        QTest::newRow("large screen") << QSize(1900, 1040);
    }
    void editorFillsTheWindow() {
        QFETCH(QSize, window);
        QVERIFY(open());
        loader_->view.resize(window);
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
        QVERIFY(setSection("ueditor", "toolbars=All"));
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

    void wholeArticleConversionRemembersTheStandard() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<p>　　这款软件里面</p>'");
        const QString before = html();
        eval("corvelEditor.tools.convert('traditional')");
        // The user's pair first (软件 -> 軟體), the rest by the Taiwan standard at first...
        QCOMPARE(html(), QStringLiteral("<p>　　這款軟體裡面</p>"));
        eval("corvelEditor.jodit.execCommand('undo')");
        QCOMPARE(html(), before);
        // ... and by the Hong Kong standard once chosen.
        eval("corvelEditor.tools.setStandard('hk'); corvelEditor.tools.convert('traditional')");
        QCOMPARE(html(), QStringLiteral("<p>　　這款軟體裏面</p>"));
        eval("corvelEditor.jodit.execCommand('undo')");
        QCOMPARE(html(), before);
        QVERIFY(loader_->open());
        QCOMPARE(eval("corvelEditor.tools.standard()").toString(), QStringLiteral("hk"));
        eval(
            "corvelEditor.jodit.value = '<p>這款軟體</p>'; "
            "corvelEditor.tools.convert('simplified')");
        QCOMPARE(html(), QStringLiteral("<p>这款软件</p>"));
    }

    void lawCheckMarksListsAndNeverCopies() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<p>　　本品销量第一，第一季度上市，效果最佳。</p>'");
        QCOMPARE(eval("corvelEditor.tools.lawCheck().map(h => h.term).join()").toString(),
                 QStringLiteral("销量第一,最佳"));
        QCOMPARE(
            eval("document.querySelectorAll('#corvel-law-panel .corvel-law-item').length").toInt(),
            2);
        // Clicking an item selects its place in the article.
        eval("document.querySelectorAll('#corvel-law-panel .corvel-law-item')[1].click()");
        QCOMPARE(eval("corvelEditor.jodit.s.sel.toString()").toString(), QStringLiteral("最佳"));
        // Copies leave the marks out; the article itself is unchanged under them.
        QCOMPARE(eval("corvelEditor.cleanHtml()").toString(),
                 QStringLiteral("<p>　　本品销量第一，第一季度上市，效果最佳。</p>"));
        eval("document.querySelector('#corvel-law-panel button').click()");  // 清除标记
        QCOMPARE(html(), QStringLiteral("<p>　　本品销量第一，第一季度上市，效果最佳。</p>"));
    }

    void pageBreakIsADividerStoredAsTheTag() {
        QVERIFY(open());
        eval(
            "corvelEditor.jodit.value = "
            "'<p>　　正文</p><p>_ueditor_page_break_tag_</p><p>　　下一页</p>'");
        QCOMPARE(html(),
                 QStringLiteral("<p>　　正文</p><p>_ueditor_page_break_tag_</p><p>　　下一页</p>"));
        QVERIFY(eval("(() => { const p = corvelEditor.jodit.editor.children[1]; "
                     "return p.hasAttribute('data-corvel-page-break') && p.offsetHeight > 10 && "
                     "getComputedStyle(p, '::after').content.includes('分页符'); })()")
                    .toBool());
        QTRY_COMPARE(eval("corvelEditor.tools.wordCount.words").toInt(), 5);
    }

    void correctionCountsAndTidies() {
        QVERIFY(open());
        eval("corvelEditor.jodit.value = '<p>　　再接再励，迫不急待</p><p>【打印本页】</p>'");
        QCOMPARE(eval("corvelEditor.correct().count").toInt(), 3);
        QCOMPARE(html(), QStringLiteral("<p>　　再接再厉，迫不及待</p>"));
        QCOMPARE(eval("document.querySelector('.corvel-flashes').lastChild.textContent").toString(),
                 QStringLiteral("错误更正：共更正 3 处。"));
        QVERIFY(eval("document.querySelectorAll('.corvel-flash').length").toInt() >= 2);
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
