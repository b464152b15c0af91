// The editor's browser reads only regular files of at most 64 MiB: a FIFO or a device in a rule
// file's place fails at once, like a missing file, instead of leaving the page waiting.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <memory>

#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "recording_platform.h"
#include "web_script.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(LocalFileGuard, PageReadsOnlyRegularFilesOfAtMost64MiB) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and /dev/zero are POSIX only";
#else
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVEL_SHIPPED_WEB_INI), folder.filePath("web.ini")));
    QFile page(folder.filePath("index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(R"(<!DOCTYPE html><html><body><script>
window.results = {};
for (const name of ['plain.txt', 'pipe.txt', 'zero.txt', 'big.txt', 'missing.txt']) {
  const xhr = new XMLHttpRequest();
  xhr.open('GET', name, true);
  xhr.onload = () => { window.results[name] = 'read'; };
  xhr.onerror = () => { window.results[name] = 'failed'; };
  xhr.send();
}
</script></body></html>)");
    page.close();
    QFile plain(folder.filePath("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("软件|||軟體\r\n");
    plain.close();
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe.txt")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.filePath("zero.txt")));
    QFile big(folder.filePath("big.txt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((qint64{64} << 20) + 1));
    big.close();

    RecordingPlatform platform;
    const std::unique_ptr<Program> program = Program::start(folder.path().toStdString(), platform);
    ASSERT_TRUE(program);
    QWebEnginePage* view = program->mainWindow()->editor()->browser()->page();
    const QString all = QStringLiteral(
        "window.results && Object.keys(results).length === 5 ? "
        "['plain.txt', 'pipe.txt', 'zero.txt', 'big.txt', 'missing.txt']"
        ".map((name) => results[name]).join() : ''");
    QString results;
    ASSERT_TRUE(WaitFor(
        [&] {
            results = RunScript(view, all).value_or(QString()).toString();
            return !results.isEmpty();
        },
        20000, 50))
        << "a read never ended";
    EXPECT_EQ(results, QStringLiteral("read,failed,failed,failed,failed"));
#endif
}

}  // namespace
