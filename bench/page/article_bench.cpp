// The page's share of two article commands, in the built page (Qt WebEngine, offscreen) on
// the tests' in-memory article store, each against a yardstick measured in the same page:
//   - opening the article list with 1,000 drafts, against the same 1,000 titles as bare rows;
//   - switching between two drafts of 200 paragraphs, against setting the editor's text.
// The host's own share (reading the drafts from disk) is measured by the host's benchmarks.
//   build/bin/page_article_bench
#include "page_loader.h"

namespace {

// Median times in ms of `rounds` runs of the page command and the yardstick, as "a,b".
const char* kMeasure = R"(
(async () => {
  const med = (a) => a.sort((x, y) => x - y)[a.length >> 1];
  const layout = () => document.body.offsetHeight + corvelEditor.jodit.editor.offsetHeight;
  const time = async (run) => { const t = performance.now(); await run(); layout(); return performance.now() - t; };
  const ctx = { doc: document, host: CorvelHost, session: corvelEditor.session, board: corvelEditor.board,
                confirm: async () => true, now: Date.now };
  const list = { panel: [], bare: [] };
  const swap = { open: [], bare: [] };
  const drafts = (await CorvelHost.listArticles()).articles;
  const [a, b] = [drafts[0].id, drafts[1].id];
  const text = (await CorvelHost.openArticle(a)).html;
  for (let i = 0; i < 15; i++) {
    let panel;
    list.panel.push(await time(async () => { panel = corvelEditor.articles.panels.showArticleList(ctx); await panel.ready; }));
    panel.close();
    let box;
    list.bare.push(await time(async () => {
      box = document.createElement('div');
      for (const d of (await CorvelHost.listArticles()).articles) {
        const row = document.createElement('div');
        row.textContent = d.title;
        box.appendChild(row);
      }
      document.body.appendChild(box);
    }));
    box.remove();
    swap.open.push(await time(() => corvelEditor.session.open(i % 2 ? a : b)));
    swap.bare.push(await time(() => { corvelEditor.jodit.value = i % 2 ? text + ' ' : text; }));
  }
  window.benchResult = [med(list.panel), med(list.bare), med(swap.open), med(swap.bare)];
})();
)";

// 1,000 drafts, the two newest with 200 paragraphs each.
const char* kDrafts = R"(
corvelFake.migrated = true;
const paragraphs = Array.from({ length: 200 }, (_, i) => '<p>　　第' + i + '段：本次发布会共推出三款新品，现场气氛热烈。</p>').join('');
for (let i = 0; i < 1000; i++) {
  corvelFake.tick(60000);
  corvelFake.host.createArticle(i >= 998 ? paragraphs : '<p>第' + i + '篇</p>', '第' + i + '篇：新品发布会报道', 20);
}
)";

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (!loader.useFakeHost(CORVEL_PAGE_TESTING_DIR "/fake-host.js", QString::fromUtf8(kDrafts)) ||
        !loader.open(CORVEL_APP_DIR "/index.html"))
        return 2;
    loader.eval(QString::fromUtf8(kMeasure));
    if (!WaitFor([&] { return loader.eval("!!window.benchResult").toBool(); }, 120000, 50))
        return 3;
    const QVariantList r = loader.eval("window.benchResult").toList();
    const auto line = [](const char* what, double ms, const char* yard, double yardMs) {
        std::printf("%-38s %7.1f ms   %-34s %7.1f ms   ratio %5.2f\n", what, ms, yard, yardMs,
                    ms / yardMs);
    };
    std::printf("page side, median of 15, in Qt WebEngine offscreen:\n");
    line("open the article list (1,000 drafts)", r[0].toDouble(), "1,000 titles as bare rows",
         r[1].toDouble());
    line("switch drafts (200 paragraphs)", r[2].toDouble(), "set the editor's text",
         r[3].toDouble());
    return 0;
}
