// No article lost to a crash: the real program, in a child process on Qt's offscreen platform,
// is typed into, given a Word paste with a local image, and killed with SIGKILL; a second run
// must show the text and the image. Then kills at random moments while typing: the restarted
// program holds everything typed up to a second before the kill.
//
// The test is its own child: `e2e_article_tests --session <mode> <program folder>` runs the
// program in-process and reports on its standard output.
#include <signal.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>
#include <memory>
#include <random>

#include "article_host.h"
#include "bas_main.h"
#include "editor_driver.h"
#include "program_folder.h"
#include "qt_test_files.h"
#include "recording_platform.h"
#include "scratch_web_storage.h"
#include "url_schemes.h"

namespace {

constexpr int kStartMs = 60000;
const QString kTypedLine = QStringLiteral("Press release typed before the paste.");
constexpr int kImageWidth = 37;  // the pasted picture's size, to recognise it when shown

qint64 nowMs() { return QDateTime::currentMSecsSinceEpoch(); }

void say(const QByteArray& line) {
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

// The n-th character typed in the random-kill rounds.
QChar typedChar(int n) { return QLatin1Char(static_cast<char>('a' + n % 26)); }

// ---- the child: the program itself ---------------------------------------------------------

// What the editor holds: its text and, for each image, whether the host serves it and its width.
QByteArray report(const EditorDriver& page) {
    const QString images = QStringLiteral("[...corvelEditor.jodit.editor.querySelectorAll('img')]");
    page.waitFor(images + QStringLiteral(".every(i => i.complete)"), 10000);
    return page
        .js(QStringLiteral("JSON.stringify({text: corvelEditor.jodit.editor.textContent, images: ") +
            images +
            QStringLiteral(".map(i => [i.src.startsWith('corvel-article://'), i.naturalWidth])})"))
        .toString()
        .toUtf8();
}

// The current article's HTML as the host has it on disk.
QByteArray savedArticle() {
    const corvel::articles::ArticleStore store(articlesRoot().toStdString());
    return FileBytes(articlesRoot() + QLatin1Char('/') +
                     QString::fromStdString(store.state().currentId) +
                     QStringLiteral("/article.html"));
}

void pasteWordFragment(QWidget* input, const QString& imagePath) {
    // As Word puts it on the clipboard: its own markup and a temporary file for the picture.
    const QString html =
        QStringLiteral(
            "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
            "xmlns:w=\"urn:schemas-microsoft-com:office:word\"><body><!--StartFragment-->"
            "<p class=MsoNormal>配图如下<o:p></o:p></p><p class=MsoNormal><img width=%1 "
            "height=20 src=\"%2\"></p><!--EndFragment--></body></html>")
            .arg(kImageWidth).arg(QUrl::fromLocalFile(imagePath).toString());
    auto* data = new QMimeData;
    data->setHtml(html);
    data->setText(QStringLiteral("配图如下"));
    QGuiApplication::clipboard()->setMimeData(data);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
}

int runSession(const QString& mode, const QString& folder, const QString& extra, int argc,
               char** argv) {
    registerProgramSchemes();
    QApplication app(argc, argv);
    RecordingPlatform platform;
    const std::unique_ptr<Program> program = Program::start(folder.toStdString(), platform);
    if (!program) return 3;
    Form_Editor_Main* main = program->mainWindow();
    if (!QTest::qWaitForWindowExposed(main)) return 4;
    main->activateWindow();
    const EditorDriver page(main);
    if (!page.waitUntilReady(kStartMs)) return 5;
    if (mode == QLatin1String("report")) {
        say("REPORT " + report(page));
        return 0;
    }
    if (!page.clickIntoEditingArea()) return 6;

    if (mode == QLatin1String("paste")) {
        QTest::keyClicks(page.input(), kTypedLine);
        QTest::keyClick(page.input(), Qt::Key_Return);
        pasteWordFragment(page.input(), extra);
        // Killed once the host holds both, as a user would be after a second's pause.
        const auto saved = [] {
            const QByteArray html = savedArticle();
            return html.contains(kTypedLine.toUtf8()) && html.contains("corvel-article://");
        };
        if (!WaitFor(saved, 20000, 50)) return 7;
        say("READY");
    } else {
        // Fast typing, one key every 25 ms, each reported with its time.
        auto* typing = new QTimer(&app);
        int typed = 0;
        QObject::connect(typing, &QTimer::timeout, [&] {
            QTest::keyClick(page.input(), typedChar(typed).toLatin1());
            ++typed;
            say("TYPED " + QByteArray::number(typed) + " " + QByteArray::number(nowMs()));
        });
        typing->start(25);
    }
    return QApplication::exec();
}

// ---- the parent: starts, kills and restarts the program -------------------------------------

QString self;  // this test's own executable

// A user of their own: a home with the data folders and a copy of the program folder.
struct User {
    QTemporaryDir home;
    User() { EXPECT_TRUE(copyProgramFolder(QDir(home.path()))); }

    std::unique_ptr<QProcess> start(const QString& mode, const QString& extra = {}) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(ScratchWebEnvironment(home.path()));
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(self, {QStringLiteral("--session"), mode, home.path(), extra});
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    // The editor's text and images after a fresh start.
    QJsonObject restartAndReport() const {
        const std::unique_ptr<QProcess> process = start(QStringLiteral("report"));
        EXPECT_TRUE(process->waitForFinished(kStartMs + 30000));
        const QByteArray out = process->readAllStandardOutput();
        EXPECT_TRUE(out.contains("REPORT ")) << "no report; exit code " << process->exitCode();
        return QJsonDocument::fromJson(out.mid(out.indexOf("REPORT ") + 7).trimmed()).object();
    }
};

// The next line the child writes, or an empty one when it ends or stays silent.
QByteArray nextLine(QProcess& process, int timeoutMs) {
    while (!process.canReadLine())
        if (!process.waitForReadyRead(timeoutMs)) return {};
    return process.readLine().trimmed();
}

void killHard(QProcess& process) {
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    process.waitForFinished(10000);
    ASSERT_EQ(process.exitStatus(), QProcess::CrashExit);
}

TEST(ArticleCrash, TypedTextAndPastedWordImageSurviveSigkill) {
    User user;
    // Word's temporary file for the picture.
    const QString clip = user.home.filePath(QStringLiteral("msohtmlclip1/01/clip_image002.png"));
    ASSERT_TRUE(WriteFileBytes(clip, PngBytes(Qt::darkCyan, kImageWidth, 20)));

    const std::unique_ptr<QProcess> program = user.start(QStringLiteral("paste"), clip);
    const QByteArray line = nextLine(*program, kStartMs + 30000);
    ASSERT_EQ(line, QByteArray("READY")) << "exit code " << program->exitCode();
    killHard(*program);
    // Word clears its temporary files; the article must not need them.
    QFile::remove(clip);

    const QJsonObject shown = user.restartAndReport();
    const QString text = shown[QStringLiteral("text")].toString();
    EXPECT_TRUE(text.contains(kTypedLine) && text.contains(QStringLiteral("配图如下")))
        << text.toStdString();
    // One image, served by the host and shown at its size.
    EXPECT_EQ(shown[QStringLiteral("images")], (QJsonArray{QJsonArray{true, kImageWidth}}));
}

TEST(ArticleCrash, KillsAtRandomMomentsLoseAtMostTheLastSecond) {
    // A crash loses at most the last second of typing, the save itself included.
    constexpr qint64 kAllowedLossMs = 1000;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> typingMs(1200, 4000);
    for (int round = 0; round < 6; ++round) {
        User user;
        const std::unique_ptr<QProcess> program = user.start(QStringLiteral("typing"));
        std::vector<qint64> typedAt;  // when each character had been typed
        QByteArray line = nextLine(*program, kStartMs + 30000);
        ASSERT_TRUE(line.startsWith("TYPED")) << "round " << round << ": " << line.constData();
        const qint64 killAt = nowMs() + typingMs(random);
        while (nowMs() < killAt) {
            if (line.startsWith("TYPED")) typedAt.push_back(line.split(' ').value(2).toLongLong());
            line = nextLine(*program, 1000);
        }
        killHard(*program);
        const qint64 killed = nowMs();

        const QString text = user.restartAndReport().value(QStringLiteral("text")).toString();
        QString typed;
        for (std::size_t n = 0; n < typedAt.size() + 5; ++n) typed += typedChar(int(n));
        // Whatever came back is what was typed, from the start, with nothing torn.
        ASSERT_TRUE(typed.startsWith(text)) << "round " << round << ": " << text.toStdString();
        // The typing lost: from the first character that did not come back to the kill.
        if (std::size_t(text.size()) < typedAt.size())
            std::printf("round %d: lost %lld ms of typing\n", round, static_cast<long long>(killed - typedAt[std::size_t(text.size())]));
        const auto due = std::count_if(typedAt.begin(), typedAt.end(),
                                       [&](qint64 at) { return at <= killed - kAllowedLossMs; });
        EXPECT_GE(text.size(), due)
            << "round " << round << ": " << typedAt.size() << " typed, killed "
            << killed - typedAt.back() << " ms after the last";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && QByteArray(argv[1]) == "--session") {
        return runSession(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                          QString::fromLocal8Bit(argv[4]), argc, argv);
    }
    QCoreApplication app(argc, argv);
    self = QCoreApplication::applicationFilePath();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
