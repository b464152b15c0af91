// Shows an editor page in a 1000x700 view set up as the program sets it up; used to take
// the screenshots in docs/.
//   editor_page_viewer <index.html> [article.html shot.png [fake-setup.js action.js]]
// With an article, it is put into the editor, the window is saved to shot.png a moment
// later, and the viewer quits. With the two scripts, the page runs on the in-memory article
// store of the tests (fake_host.js), which fake-setup.js fills before the page loads, and
// action.js runs once the article is in (to open a panel, say).
#include "page_loader.h"

namespace {
QString readText(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (argc >= 6 && !loader.useFakeHost(CORVEL_PAGE_TEST_DIR "/fake_host.js", readText(argv[4])))
        return 5;
    if (argc < 2 || !loader.open(QString::fromLocal8Bit(argv[1]))) return 2;
    if (argc < 4) return QApplication::exec();
    const QString article = readText(argv[2]);
    if (!article.isEmpty())
        loader.eval("corvelEditor.jodit.value = " + PageLoader::jsString(article));
    if (argc >= 6) loader.eval(readText(argv[5]));
    QTest::qWait(2500);  // let the editor lay out and paint
    return loader.view.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 4;
}
