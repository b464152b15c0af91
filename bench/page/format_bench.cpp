// How long 一键排版 takes on a 200-paragraph pasted article in the real editor page, from the
// command to the formatted article in the editor (one undo step). The yardstick, measured in
// the same page and interleaved with it, is the same article's plain innerHTML round-trip
// (parse into a detached document and serialise again).
#include <QTemporaryDir>
#include <cstdio>

#include "bench_page.h"

namespace {
// Builds the article in the page: Word-styled paragraphs with half-width punctuation, a
// subheading every 20 paragraphs, a fake list, and a price table.
const char* kMakeArticle = R"JS(
(() => {
  const parts = ['<p class="MsoNormal" align="center" style="text-align:center"><b><span style="font-size:18pt;color:#C00000">新品发布会在京举行</span></b></p>'];
  for (let i = 1; i <= 200; i++) {
    if (i % 20 === 0) parts.push('<h2><span style="font-family:黑体">第' + i + '部分</span></h2>');
    if (i % 50 === 0) {
      parts.push('<p class="MsoListParagraph" style="mso-list:l0 level1 lfo1"><span>1.<span>&nbsp;&nbsp;</span></span>要点一(心率)</p>' +
                 '<p class="MsoListParagraph" style="mso-list:l0 level1 lfo1"><span>2.<span>&nbsp;&nbsp;</span></span>要点二,续航</p>');
      parts.push('<table border=1><tr><td><b>型号</b></td><td><b>价格</b></td></tr><tr><td>A' + i + '</td><td>1,999元</td></tr></table>');
    }
    parts.push('<p class="MsoNormal" style="text-indent:21pt"><span style="font-size:12pt;font-family:宋体;color:#333">第' + i +
               '段,某科技公司今天在北京发布了新款"智能手表",售价1,999元,续航提升3.5倍!上午10:30开始,' +
               '详见https://example.com/p?id=' + i + ',<b>欢迎</b>参加。<o:p></o:p></span></p>');
  }
  window.benchArticle = parts.join('');
  return parts.length;
})()
)JS";

const char* kMeasure = R"JS(
(() => {
  const j = corvelEditor.jodit, rounds = %1, fmt = [], trip = [];
  const median = (v) => v.slice().sort((a, b) => a - b)[v.length >> 1];
  for (let r = 0; r < rounds; r++) {
    j.value = benchArticle;
    let t = performance.now();
    corvelEditor.format();
    fmt.push(performance.now() - t);
    t = performance.now();
    const doc = document.implementation.createHTMLDocument('');
    doc.body.innerHTML = benchArticle;
    if (doc.body.innerHTML.length === 0) throw new Error('empty');
    trip.push(performance.now() - t);
  }
  return JSON.stringify({ format: median(fmt), trip: median(trip), paragraphs: j.editor.children.length });
})()
)JS";
}  // namespace

int main(int argc, char** argv) {
    UseOffscreenBrowser();
    QApplication app(argc, argv);
    const int rounds = RoundsFrom(argc, argv, 15);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (!OpenEditorPage(loader)) return 1;
    const int blocks = loader.eval(QString::fromUtf8(kMakeArticle)).toInt();
    const QJsonObject r =
        QJsonDocument::fromJson(
            loader.eval(QString::fromUtf8(kMeasure).arg(rounds)).toString().toUtf8())
            .object();
    const double format = r["format"].toDouble(), trip = r["trip"].toDouble();
    if (format <= 0 || trip <= 0) {
        std::fprintf(stderr, "no measurement: %s\n", qPrintable(loader.page->errors.join('\n')));
        return 1;
    }
    std::printf(
        "article: 200 paragraphs (%d pieces pasted, %d blocks after formatting), median of %d "
        "rounds\n",
        blocks, r["paragraphs"].toInt(), rounds);
    std::printf("%-34s %9.2f ms\n", "一键排版 (command to editor)", format);
    std::printf("%-34s %9.2f ms\n", "innerHTML round-trip (yardstick)", trip);
    std::printf("ratio 一键排版 / round-trip: %.1f   goal: under 200 ms -> %s\n", format / trip,
                format < 200 ? "met" : "NOT met");
    return 0;
}
