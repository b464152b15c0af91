// Shows an editor page in a 1000x700 view set up as the program sets it up; used to take
// the toolbar screenshots.
//   editor_page_viewer <index.html> [article.html shot.png]
// With an article, it is put into the editor, the window is saved to shot.png a moment
// later, and the viewer quits.
#include "page_loader.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir storage;
    PageLoader loader(storage.path());
    if (argc < 2 || !loader.open(QString::fromLocal8Bit(argv[1]))) return 2;
    if (argc < 4) return QApplication::exec();
    QFile article(QString::fromLocal8Bit(argv[2]));
    if (!article.open(QIODevice::ReadOnly)) return 3;
    loader.eval("corvelEditor.jodit.value = " +
                PageLoader::jsString(QString::fromUtf8(article.readAll())));
    QTest::qWait(2500);  // let the editor lay out and paint
    return loader.view.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 4;
}
