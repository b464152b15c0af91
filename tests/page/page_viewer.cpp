// Shows an editor page in a plain 1000x700 web view, with the same page settings as the
// program. Used to take the toolbar screenshots: editor_page_viewer <index.html>
#include <QApplication>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QWebEngineView view;
    auto* settings = view.settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    view.setWindowFlag(Qt::FramelessWindowHint);
    view.setGeometry(0, 0, 1000, 700);
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    view.show();
    return QApplication::exec();
}
