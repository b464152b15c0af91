// The whole-article checks in the real editor page at 1,000 to 10,000 paragraphs: 广告法用语检查
// (the shipped list), 错误更正 (the shipped rules) and 转为繁体, each from the command to the
// laid-out editor. The yardstick, measured in the same page and interleaved with it, is bare
// Jodit setting the command's own result as the editor's value and laying it out. Time per
// paragraph that stays flat down a column is linear growth.
//   build/bin/page-checks-bench [rounds]
#include <QTemporaryDir>
#include <cstdio>

#include "bench_page.h"

namespace {
const char* kMeasure = R"JS(
(() => {
  const e = corvelEditor, j = e.jodit, rounds = %1, paragraphs = %2;
  const sentences = ['本品采用国家级工艺，效果最佳，深受消费者欢迎，我们再接再励。',
    '公司第一季度营收增长，产品按装简便，目前现在免费赠送配件。',
    '记者从发布会上了解到，新款产品将于下月上市，售价与上一代持平。',
    '活动截止到月底，限时秒杀，全球首创的技术让您零副作用地享受健康生活。'];
  const parts = [];
  for (let i = 0; i < paragraphs; i++) parts.push('<p>　　' + sentences[i % 4] + sentences[(i * 3 + 1) % 4] + '</p>');
  const article = parts.join('');
  const best = (v) => Math.min(...v);
  const layout = () => j.editor.offsetHeight + j.editor.getBoundingClientRect().height;
  const commands = {
    law: () => e.tools.lawCheck().length,
    correct: () => e.correct().count,
    traditional: () => (e.tools.convert('traditional'), 1),
  };
  const out = {};
  for (const [name, run] of Object.entries(commands)) {
    const command = [], bare = [];
    let found = 0;
    for (let r = 0; r < rounds; r++) {
      j.value = article;
      layout();
      let t = performance.now();
      found = run();
      layout();
      command.push(performance.now() - t);
      const result = j.editor.innerHTML;
      document.querySelector('#corvel-findings button:last-child')?.click();
      j.value = article;
      layout();
      t = performance.now();
      j.value = result;
      layout();
      bare.push(performance.now() - t);
    }
    out[name] = { command: best(command), bare: best(bare), found };
  }
  return JSON.stringify(out);
})()
)JS";
}  // namespace

int main(int argc, char** argv) {
    UseOffscreenBrowser();
    QApplication app(argc, argv);
    const int rounds = RoundsFrom(argc, argv, 5);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (!OpenEditorPage(loader)) return 1;
    std::printf("fastest of %d rounds; ms from the command to the laid-out editor, and bare Jodit "
                "setting the same result (yardstick)\n",
                rounds);
    std::printf("%-12s %10s %8s %10s %10s %8s %14s\n", "command", "paragraphs", "found",
                "command", "yardstick", "ratio", "µs/paragraph");
    for (const int paragraphs : {1000, 2000, 5000, 10000}) {
        const QJsonObject r =
            QJsonDocument::fromJson(
                RunScript(loader.page.get(),
                          QString::fromUtf8(kMeasure).arg(rounds).arg(paragraphs), 900000)
                    .value_or(QVariant())
                    .toString()
                    .toUtf8())
                .object();
        if (r.isEmpty()) {
            std::fprintf(stderr, "no measurement: %s\n", qPrintable(loader.page->errors.join('\n')));
            return 1;
        }
        for (const char* name : {"law", "correct", "traditional"}) {
            const QJsonObject m = r[QLatin1String(name)].toObject();
            const double command = m["command"].toDouble(), bare = m["bare"].toDouble();
            std::printf("%-12s %10d %8d %10.1f %10.1f %8.2f %14.1f\n", name, paragraphs,
                        m["found"].toInt(), command, bare, command / bare,
                        1000 * command / paragraphs);
        }
    }
    return 0;
}
