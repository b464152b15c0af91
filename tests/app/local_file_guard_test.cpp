// The editor's browser reads only regular files of at most 64 MiB: a FIFO or a device in a rule
// file's place fails at once, like a missing file, instead of leaving the page waiting.
#include <sys/stat.h>

#include "shell_fixture.h"

namespace {

class LocalFileGuard : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFileBytes(file("index.html"), R"(<!DOCTYPE html><html><body><script>
window.results = {};
for (const name of ['plain.txt', 'pipe.txt', 'zero.txt', 'big.txt', 'missing.txt']) {
  const xhr = new XMLHttpRequest();
  xhr.open('GET', name, true);
  xhr.onload = () => { window.results[name] = 'read'; };
  xhr.onerror = () => { window.results[name] = 'failed'; };
  xhr.send();
}
</script></body></html>)"));
        ASSERT_TRUE(WriteFileBytes(file("plain.txt"), "软件|||軟體\r\n"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe.txt")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file("zero.txt")));
        QFile big(file("big.txt"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((qint64{64} << 20) + 1));
        big.close();
        start();
    }
};

TEST_F(LocalFileGuard, PageReadsOnlyRegularFilesOfAtMost64MiB) {
    const QString all = QStringLiteral(
        "Object.keys(results).length === 5 ? "
        "['plain.txt', 'pipe.txt', 'zero.txt', 'big.txt', 'missing.txt']"
        ".map((name) => results[name]).join() : ''");
    QString results;
    ASSERT_TRUE(WaitFor([&] { return !(results = js(all).toString()).isEmpty(); }, 20000, 50))
        << "a read never ended";
    EXPECT_EQ(results, QStringLiteral("read,failed,failed,failed,failed"));
}

}  // namespace
