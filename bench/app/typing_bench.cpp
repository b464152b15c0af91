// Typing in long articles: the whole program (its page on the real article store) against plain
// Jodit with the same options in a bare view, both in this process and browser, at 2k, 20k,
// 100k and 300k characters. Real key events, a key every 120 ms (a quick typist); for each key the time from the
// key event to the frame after it (median, p90, p99), and the long tasks (over 50 ms) per 10 s
// of typing. Then one autosave's cost at each size: the page's share (the HTML, title and count
// it sends) against reading the bare editor's HTML, and the bridge and the store (saveArticle
// through the web channel, and the host's method called directly) against writing the same
// bytes with the same atomic replacement; and the page's own autosave from end to end, which
// sends only the change.
//   build/bin/app_typing_bench [keys per size] [largest size only: 1, commands only: 2]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "article_host.h"
#include "article_store.h"
#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "probe_pages.h"
#include "url_schemes.h"
#include "web_script.h"

namespace {

// Sets an article of about `size` characters with the caret at its end, and records each
// key's latency and the long tasks from then on.
const char* kPrepare = R"((size) => {
  const j = corvelEditor.jodit, w = j.ew;
  const para = '　　本次发布会共推出三款新品，现场气氛热烈，到场嘉宾对新品的设计和性能给予了高度评价。';
  const n = Math.max(1, Math.round(size / para.length));
  j.value = Array.from({ length: n }, (_, i) => '<p>' + i + para + '</p>').join('');
  j.s.focus();
  j.s.setCursorIn(j.editor.lastChild, false);
  const b = window.bench = { keys: [], long: 0 };
  if (!window.benchHooked) {
    window.benchHooked = true;
    j.editorDocument.addEventListener('keydown', (e) => {
      const from = e.timeStamp;
      w.requestAnimationFrame(() => {
        const c = new w.MessageChannel();
        c.port1.onmessage = () => window.bench.keys.push(w.performance.now() - from);
        c.port2.postMessage(0);
      });
    }, true);
    new PerformanceObserver((list) => {
      for (const t of list.getEntries()) window.bench.long += t.duration;
    }).observe({ entryTypes: ['longtask'] });
  }
  return n;
})";

// Median times of the page's share of a save: {page, bare} in ms.
const char* kSaveShare = R"((() => {
  const e = corvelEditor, med = (a) => a.sort((x, y) => x - y)[a.length >> 1];
  const time = (f) => { const t = performance.now(); f(); return performance.now() - t; };
  const shell = !!e.session, page = [], bare = [];
  for (let i = 0; i < 9; i++) {
    e.jodit.editor.lastChild.append('字');
    if (shell) page.push(time(() => [e.html, e.tools.wordCount]));
    bare.push(time(() => e.jodit.value));
  }
  return [shell ? med(page) : 0, med(bare)];
})())";

// Median round trips through the web channel: one save to the store, the same text in a call
// the host refuses at once (the channel's own cost), and an empty call, in ms.
const char* kSaveTrip = R"((async () => {
  const e = corvelEditor, id = e.session.currentId(), times = [[], [], []];
  const time = async (k, f) => { const t = performance.now(); await f(); times[k].push(performance.now() - t); };
  for (let i = 0; i < 9; i++) {
    e.jodit.editor.lastChild.append('字');
    const html = e.html, about = e.tools.wordCount;
    await time(0, () => CorvelHost.saveArticle(id, html, about.title, about.words));
    await time(1, () => CorvelHost.readSnapshot(id, html));
    await time(2, () => CorvelHost.state());
  }
  // The page's own autosave, as after the quiet spell that follows a key (the editor's own
  // reaction to the change is over): only the change goes. The first one re-sends the whole
  // text, since the calls above replaced what the host holds.
  times.push([]);
  for (let i = 0; i < 10; i++) {
    e.jodit.editor.lastChild.append('字');
    await new Promise((r) => setTimeout(r, 100));
    await time(3, () => e.session.saveNow());
  }
  times[3].shift();
  window.benchTrip = times.map((t) => t.sort((x, y) => x - y)[4]);
})())";

constexpr int kKeyGapMs = 120;

// One whole-article command on `n` paragraphs, timed to the frame after it, as window.benchDone
// = [ms, resulting HTML]. Plain Jodit has no such commands: it sets the editor's result
// (window.benchResult) instead, its own share of any command. The result is what the editor
// shows, marks included (广告法's marks stay out of the article's value). The command comes a
// second after the article, as a writer's click would: what either page does about the new
// text itself (its save, its count) is not the command's.
const char* kCommand = R"((async (n, which) => {
  const e = corvelEditor, j = e.jodit, w = j.ew;
  const frame = () => new Promise((r) => w.requestAnimationFrame(() => {
    const c = new w.MessageChannel();
    c.port1.onmessage = r;
    c.port2.postMessage(0);
  }));
  j.value = Array.from({ length: n }, (_, i) => '<p>　　第' + i +
    '段：本品销量第一，效果最佳，大家再接再励。这款软件里面的资讯频道每天更新。</p>').join('');
  await new Promise((r) => w.setTimeout(r, 1000));
  await frame();
  const run = e.tools && { '一键排版': () => e.format(), '错误更正': () => e.correct(),
    '转为繁体': () => e.tools.convert('traditional'), '广告法': () => e.tools.lawCheck() }[which];
  const t = performance.now();
  if (run) await run();
  else j.value = window.benchResult;
  await frame();
  window.benchDone = [performance.now() - t, j.editor.innerHTML];
}))";

struct Figures {
    double median = 0, p90 = 0, p99 = 0, longPer10s = 0;
};

double At(std::vector<double>& v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<std::size_t>(q * v.size()))];
}

QVariant Eval(QWebEnginePage* page, const QString& script) {
    return RunScript(page, script, 60000).value_or(QVariant());
}

Figures Type(QWebEngineView* view, int size, int keys) {
    QWebEnginePage* page = view->page();
    view->activateWindow();
    view->setFocus();
    Eval(page, QStringLiteral("(%1)(%2)").arg(QString::fromUtf8(kPrepare)).arg(size));
    QTest::qWait(1500);  // let the new text settle (and its first save go)
    Eval(page, QStringLiteral("window.bench = { keys: [], long: 0 }"));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < keys; ++i) {
        QTest::keyClick(view->focusProxy(), static_cast<char>('a' + i % 26));
        QTest::qWait(kKeyGapMs);
    }
    const double typedMs = static_cast<double>(clock.elapsed());
    QTest::qWait(300);
    const QVariantList keyTimes = Eval(page, QStringLiteral("window.bench.keys")).toList();
    std::vector<double> v;
    for (const QVariant& k : keyTimes) v.push_back(k.toDouble());
    const double longMs = Eval(page, QStringLiteral("window.bench.long")).toDouble();
    return {At(v, 0.5), At(v, 0.9), At(v, 0.99), longMs * 10000 / typedMs};
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    qputenv("XDG_DATA_HOME", scratch.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", scratch.filePath(QStringLiteral("cache")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    registerProgramSchemes();
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::max(20, atoi(argv[1])) : 150;
    const QString folder = QStringLiteral(CORVEL_APP_DIR);

    QuietPlatform platform;
    std::unique_ptr<Program> program = Program::start(folder.toStdString(), platform);
    if (!program) return 1;
    QWebEngineView* shell = program->mainWindow()->editor()->browser();

    QWebEngineProfile profile(QStringLiteral("corvel-bench-typing"));
    profile.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    QFile html(scratch.filePath(QStringLiteral("bare.html")));
    if (!html.open(QIODevice::WriteOnly)) return 1;
    html.write(barePage(folder).toUtf8());
    html.close();
    QWebEngineView bare;
    bare.setPage(new QWebEnginePage(&profile, &bare));
    bare.resize(shell->size());
    bare.setUrl(QUrl::fromLocalFile(html.fileName()));
    bare.show();
    // Ours once the conversion library has come too (it loads after the first paint), so that
    // no command timed below pays for loading it.
    const QString ready = QStringLiteral("!!(window.corvelEditor && window.corvelEditor.ready)");
    const QString settled = QStringLiteral("!!(window.corvelEditor && window.corvelEditor.settled)");
    if (!WaitFor([&] { return Eval(shell->page(), settled).toBool(); }, 60000)) return 2;
    if (!WaitFor([&] { return Eval(bare.page(), ready).toBool(); }, 60000)) return 2;

    std::printf("%d keys per size, one every %d ms, real key events; editor (whole program) vs "
                "plain Jodit, same browser, same run\n",
                keys, kKeyGapMs);
    std::printf("%-6s %-28s %-28s %-24s %-24s\n", "chars", "median ms (ratio)", "p90 ms (ratio)",
                "p99 ms (ratio)", "long tasks ms/10 s (ratio)");
    const auto cell = [](double a, double b) {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f / %.1f (%.2f)", a, b, b > 0 ? a / b : 0.0);
        return std::string(text);
    };
    struct Save {
        int size;
        double page, bare, trip, host, disk, own;
    };
    // The host's method on its own, on a store of its own.
    const auto store =
        std::make_shared<corvel::articles::ArticleStore>(scratch.filePath(QStringLiteral("own")).toStdString());
    ArticleHost host(store, nullptr, nullptr);
    const QString ownId = host.createArticle(QString(), QString(), 0).value(QStringLiteral("id")).toString();
    std::vector<Save> saves;
    const bool largestOnly = argc > 2 && atoi(argv[2]) == 1;
    const bool commandsOnly = argc > 2 && atoi(argv[2]) == 2;
    for (const int size : {2000, 20000, 100000, 300000}) {
        if ((largestOnly && size != 300000) || commandsOnly) continue;
        const Figures e = Type(shell, size, keys);
        const Figures b = Type(&bare, size, keys);
        std::printf("%-6d %-28s %-28s %-24s %-24s\n", size, cell(e.median, b.median).c_str(),
                    cell(e.p90, b.p90).c_str(), cell(e.p99, b.p99).c_str(),
                    cell(e.longPer10s, b.longPer10s).c_str());
        const QVariantList share = Eval(shell->page(), QString::fromUtf8(kSaveShare)).toList();
        const QVariantList bareShare = Eval(bare.page(), QString::fromUtf8(kSaveShare)).toList();
        Eval(shell->page(), QString::fromUtf8(kSaveTrip));
        WaitFor([&] { return Eval(shell->page(), QStringLiteral("!!window.benchTrip")).toBool(); },
                60000);
        const QVariantList trips = Eval(shell->page(), QStringLiteral("window.benchTrip")).toList();
        const double trip = trips.value(0).toDouble();
        std::printf("%-6d channel: saveArticle %.1f ms, the same text refused at once %.1f ms, an "
                    "empty call %.1f ms; the page's own autosave (only the change) %.1f ms\n",
                    size, trip, trips.value(1).toDouble(), trips.value(2).toDouble(),
                    trips.value(3).toDouble());
        Eval(shell->page(), QStringLiteral("window.benchTrip = 0"));
        // The bare operation on disk: the same bytes through the same atomic replacement.
        const QString article = Eval(shell->page(), QStringLiteral("corvelEditor.html")).toString();
        const std::string bytes = article.toStdString();
        std::vector<double> disk, direct;
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer t;
            t.start();
            corvel::articles::WriteFileAtomically(scratch.filePath(QStringLiteral("bare.html")).toStdString(), bytes);
            disk.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            t.restart();
            host.saveArticle(ownId, article + QString::number(i), QStringLiteral("标题"), 1);
            direct.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        saves.push_back({size, share.value(0).toDouble(), bareShare.value(1).toDouble(), trip,
                         At(direct, 0.5), At(disk, 0.5), trips.value(3).toDouble()});
    }
    if (largestOnly) return 0;
    std::printf("\nwhole-article commands, time to the next frame: editor vs plain Jodit setting "
                "the same result\n");
    for (const int n : {200, 2000, 10000}) {
        for (const char* which : {"一键排版", "错误更正", "转为繁体", "广告法"}) {
            // Medians of three, taken in turns.
            std::vector<double> times[2];
            QString result;
            for (int k = 0; k < 6; ++k) {
                QWebEnginePage* page = k % 2 == 0 ? shell->page() : bare.page();
                Eval(page, QStringLiteral("window.benchDone = null"));
                if (k % 2 == 1) {
                    // Through a string literal: the result may hold any character.
                    QString literal = result;
                    literal.replace(u'\\', QStringLiteral("\\\\")).replace(u'`', QStringLiteral("\\`")).replace(u'$', QStringLiteral("\\$"));
                    Eval(page, QStringLiteral("window.benchResult = `%1`; true").arg(literal));
                }
                Eval(page, QStringLiteral("(%1)(%2, '%3')")
                               .arg(QString::fromUtf8(kCommand))
                               .arg(n)
                               .arg(QString::fromUtf8(which)));
                WaitFor([&] { return Eval(page, QStringLiteral("!!window.benchDone")).toBool(); },
                        300000);
                const QVariantList done = Eval(page, QStringLiteral("window.benchDone")).toList();
                times[k % 2].push_back(done.value(0).toDouble());
                if (k % 2 == 0) result = done.value(1).toString();
            }
            const double ms[2] = {At(times[0], 0.5), At(times[1], 0.5)};
            std::printf("%5d paragraphs %-8s editor %8.1f ms, plain Jodit %7.1f ms, ratio %5.2f "
                        "(goal 1.3)\n",
                        n, which, ms[0], ms[1], ms[1] > 0 ? ms[0] / ms[1] : 0.0);
        }
    }

    std::printf("\nautosave, medians of 9: page share (HTML, title and count) vs reading plain "
                "Jodit's HTML; bridge and store (saveArticle) vs the same bytes' atomic write\n");
    for (const Save& s : saves) {
        std::printf("%-6d page %.1f ms vs %.1f ms (%.2f); saveArticle through the channel %.1f ms, "
                    "called directly %.1f ms, vs the bare write %.1f ms (%.2f, %.2f); page + host "
                    "%.1f ms; the page's own autosave (only the change) %.1f ms (goal at 300k: "
                    "under 15)\n",
                    s.size, s.page, s.bare, s.page / s.bare, s.trip, s.host, s.disk,
                    s.trip / s.disk, s.host / s.disk, s.page + s.trip, s.own);
    }
    return 0;
}
