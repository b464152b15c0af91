// Reading the settings from the editor page: web.ini and the two rule files read by the page's
// own loader, through file:// beside the page (the portable folder) against the page scheme
// (the installed program, settings in the user's folder), measured side by side in one run.
//   build/bin/setting_read_bench [reads per round]
// Prints the median time per read of each way and their ratio.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app_context.h"
#include "page_scheme.h"
#include "url_schemes.h"
#include "web_profile.h"
#include "web_script.h"

namespace {

constexpr int kRounds = 7;
const char* const kSettingsFiles[] = {"web.ini", "conversion.txt", "redundant.txt"};

const char* const kBenchPage = R"(<!DOCTYPE html><html><head><meta charset="utf-8">
<script src="editor/js/editor.js"></script>
<script>
window.runReads = async function (n) {
  window.benchResult = null;
  const names = ['web.ini', 'conversion.txt', 'redundant.txt'];
  const start = performance.now();
  let bytes = 0;
  for (let i = 0; i < n; ++i) {
    const text = await CorvelPage.loadText(names[i % names.length]);
    if (text === null) { window.benchResult = -1; return; }
    bytes += text.length;
  }
  window.benchResult = (performance.now() - start) / n;
};
</script></head><body></body></html>)";

bool copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    return QFile::copy(from, to);
}

// Milliseconds per read for one round in the loaded page; negative on failure.
double round(QWebEnginePage& page, int reads) {
    RunScript(&page, QStringLiteral("runReads(%1)").arg(reads));
    double result = 0;
    WaitFor(
        [&] {
            const QVariant value =
                RunScript(&page, QStringLiteral("window.benchResult")).value_or(QVariant());
            if (value.isNull()) return false;
            result = value.toDouble();
            return true;
        },
        120000, 20);
    return result;
}

bool load(QWebEnginePage& page, const QUrl& url) {
    bool done = false, ok = false;
    auto connection = QObject::connect(&page, &QWebEnginePage::loadFinished, [&](bool success) {
        done = true;
        ok = success;
    });
    page.load(url);
    WaitFor([&] { return done; }, 30000);
    QObject::disconnect(connection);
    return ok;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int reads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    registerProgramSchemes();
    QApplication app(argc, argv);
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    const QString settings = root.filePath(QStringLiteral("settings"));
    const QDir built(QStringLiteral(CORVEL_APP_DIR));
    bool ok = copyFile(built.filePath(QStringLiteral("editor/js/editor.js")),
                       program + QStringLiteral("/editor/js/editor.js"));
    for (const char* name : kSettingsFiles) {
        // The same bytes beside the page (file://) and in the settings folder (the scheme).
        ok = ok &&
             copyFile(built.filePath(QLatin1String(name)), program + '/' + QLatin1String(name));
        ok = ok &&
             copyFile(built.filePath(QLatin1String(name)), settings + '/' + QLatin1String(name));
    }
    QFile html(program + QStringLiteral("/index.html"));
    ok = ok && html.open(QIODevice::WriteOnly) && html.write(kBenchPage) > 0;
    html.close();
    if (!ok) {
        std::fprintf(stderr, "cannot lay out the bench folders from %s\n", CORVEL_APP_DIR);
        return 1;
    }

    AppContext context;
    context.AppFolder = program.toStdString();
    context.SettingsFolder = settings.toStdString();
    context.OptionStore = std::make_unique<Class_Option>(settings.toStdString() + "/web.ini");
    QWebEngineProfile* profile = makeEditorProfile(nullptr);
    installPageScheme(*profile, context);
    struct Way {
        const char* name;
        QUrl url;
        std::vector<double> perRead;
    };
    Way ways[] = {
        {"file://", QUrl::fromLocalFile(program + QStringLiteral("/index.html")), {}},
        {"corvel-page://", QUrl(QStringLiteral("corvel-page://editor/index.html")), {}},
    };
    {
        QWebEnginePage page(profile);
        for (int r = 0; r <= kRounds; ++r) {
            for (Way& way : ways) {
                if (!load(page, way.url)) {
                    std::fprintf(stderr, "cannot load %s\n", qPrintable(way.url.toString()));
                    return 1;
                }
                const double ms = round(page, reads);
                if (ms < 0) {
                    std::fprintf(stderr, "a read failed through %s\n", way.name);
                    return 1;
                }
                if (r > 0) way.perRead.push_back(ms);  // round 0 warms up
            }
        }
    }
    delete profile;

    const double file = median(ways[0].perRead);
    const double scheme = median(ways[1].perRead);
    std::printf("settings read by the page, %d reads per round, median of %d rounds\n", reads,
                kRounds);
    std::printf("  %-16s %8.4f ms per read\n", ways[0].name, file);
    std::printf("  %-16s %8.4f ms per read\n", ways[1].name, scheme);
    std::printf("  ratio scheme / file: %.2f\n", scheme / file);
    return 0;
}
