// Shows an editor page in a view set up as the program sets it up; used for screenshots.
//   editor_page_viewer <index.html> [article.html shot.png [script.js] [WIDTHxHEIGHT]]
// With an article, it is put into the editor, the script (if any) runs and its result is
// printed, the window is saved to shot.png a moment later (or the page's PDF to it, with
// CORVEL_SHOT_PDF set), and the viewer quits.
#include "page_loader.h"
#include "view_printer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (argc > 5) {
        const QStringList size = QString::fromLocal8Bit(argv[5]).split('x');
        if (size.size() == 2) loader.view.resize(size[0].toInt(), size[1].toInt());
    }
    // CORVEL_FAKE_HOST names the tests' in-memory article store, for the toolbar the program shows.
    if (qEnvironmentVariableIsSet("CORVEL_FAKE_HOST"))
        loader.useFakeHost(qEnvironmentVariable("CORVEL_FAKE_HOST"));
    if (argc < 2 || !loader.open(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << loader.page->errors.join('\n') << '\n'
                            << loader.eval("document.body.innerText").toString() << '\n';
        return 2;
    }
    if (argc < 4) return QApplication::exec();
    QFile article(QString::fromLocal8Bit(argv[2]));
    if (!article.open(QIODevice::ReadOnly)) return 3;
    loader.eval("corvelEditor.jodit.value = " +
                PageLoader::jsString(QString::fromUtf8(article.readAll())));
    if (argc > 4 && argv[4][0] != '\0') {
        QFile script(QString::fromLocal8Bit(argv[4]));
        if (!script.open(QIODevice::ReadOnly)) return 5;
        QTextStream(stdout) << loader.eval(QString::fromUtf8(script.readAll())).toString() << '\n';
    }
    // Let the editor lay out and paint; a script that opens files asks for longer.
    QTest::qWait(qEnvironmentVariableIntValue("CORVEL_SHOT_WAIT_MS") + 2500);
    // CORVEL_SHOT_PDF: the page as the program writes its PDF, instead of the window.
    if (qEnvironmentVariableIsSet("CORVEL_SHOT_PDF")) {
        QFile pdf(QString::fromLocal8Bit(argv[3]));
        return pdf.open(QIODevice::WriteOnly) && pdf.write(makeViewPrinter(&loader.view)->pdf()) > 0 ? 0 : 4;
    }
    return loader.view.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 4;
}
