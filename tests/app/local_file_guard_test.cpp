// The editor's browser reads only the page's own files, web.ini and the rule files web.ini names,
// and of those only regular files of at most 64 MiB: a FIFO or a device in a rule file's place
// fails at once, like a missing file, instead of leaving the page waiting. Cases in
// tests/data/page_file_cases.json.
#include <sys/stat.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "rows.h"
#include "shell_fixture.h"

namespace {

constexpr char kPage[] = R"(<!DOCTYPE html><html><body><script>
window.results = [];
const done = (i, result) => { results[i] = result; };
ROWS.forEach(([how, address], i) => {
  if (how === 'xhr') {
    const xhr = new XMLHttpRequest();
    xhr.open('GET', address, true);
    xhr.onload = () => done(i, 'read');
    xhr.onerror = () => done(i, 'failed');
    xhr.send();
  } else if (how === 'fetch') {
    fetch(address).then((r) => r.text()).then(() => done(i, 'read'), () => done(i, 'failed'));
  } else if (how === 'img') {
    const img = new Image();
    img.onload = () => done(i, 'read');
    img.onerror = () => done(i, 'failed');
    img.src = address;
  } else {
    // A frame counts as read when its script speaks to the page; a refused one never loads.
    const frame = document.createElement('iframe');
    addEventListener('message', (e) => { if (e.source === frame.contentWindow) done(i, 'read'); });
    setTimeout(() => results[i] || done(i, 'failed'), 3000);
    frame.src = address;
    document.body.append(frame);
  }
});
</script></body></html>)";

class LocalFileGuard : public ShellTest {
protected:
    void SetUp() override {
        QString rows = QString::fromUtf8(
            QJsonDocument(Rows("page_file_cases.json", "cases")).toJson(QJsonDocument::Compact));
        rows.replace(QStringLiteral("{home}"), QUrl::fromLocalFile(home.path()).toString());
        ASSERT_TRUE(WriteFileBytes(file("index.html"), QByteArray(kPage).replace("ROWS", rows.toUtf8())));
        for (const QString& secret : {file("conversion.txt"), file("web-page-junk.txt"),
                                      file("publish-news.json"), file("other.txt"),
                                      home.filePath(QStringLiteral(".ssh/id_rsa"))})
            ASSERT_TRUE(WriteFileBytes(secret, "PRIVATE 软件|||軟體\r\n"));
        for (const QString& page : {file("other.html"), home.filePath(QStringLiteral("secret.html"))})
            ASSERT_TRUE(WriteFileBytes(page, "<script>parent.postMessage('PRIVATE', '*')</script>"));
        for (const QString& picture :
             {file("editor/pic.png"), file("other.png"), home.filePath(QStringLiteral("photo.png"))})
            ASSERT_TRUE(WriteFileBytes(picture, PngBytes(Qt::blue)));
        ASSERT_EQ(::mkfifo(QFile::encodeName(file("redundant.txt")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file("law-terms.txt")));
        QFile big(file("editor/big.txt"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((qint64{64} << 20) + 1));
        big.close();
        start();
    }
    QTemporaryDir home;
};

TEST_F(LocalFileGuard, PageReadsOnlyItsOwnFilesAndTheSettingsWebIniNames) {
    const QJsonArray cases = Rows("page_file_cases.json", "cases");
    const QString all = QStringLiteral("results.filter(Boolean).length === %1 ? results.join() : ''")
                            .arg(cases.size());
    QString results;
    ASSERT_TRUE(WaitFor([&] { return !(results = js(all).toString()).isEmpty(); }, 20000, 50))
        << "a read never ended: " << js(QStringLiteral("JSON.stringify(results)")).toString().toStdString();
    const QStringList got = results.split(QLatin1Char(','));
    for (qsizetype i = 0; i < cases.size(); ++i)
        EXPECT_EQ(got[i].toStdString(), cases[i].toArray()[2].toString().toStdString())
            << cases[i].toArray()[0].toString().toStdString() << " "
            << cases[i].toArray()[1].toString().toStdString();
}

}  // namespace
