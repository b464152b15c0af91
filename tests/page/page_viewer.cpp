// Shows an editor page in a plain 1000x700 web view, with the same page settings as the
// program; used to take the toolbar screenshots.
//   editor_page_viewer <index.html> [article.html [shot.png]]
// The optional article is put into the editor once it is up, so the picture shows text;
// with shot.png the window is saved there a moment later and the viewer quits.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QString article;
    const QString shot = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (argc > 2) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        if (!f.open(QIODevice::ReadOnly)) return 3;
        article = QString::fromUtf8(f.readAll());
    }
    QWebEngineView view;
    auto* settings = view.settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    view.setWindowFlag(Qt::FramelessWindowHint);
    view.setGeometry(0, 0, 1000, 700);
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&view, article, shot] {
        if (article.isEmpty()) return;
        // Retried until the editor has read its settings and started.
        auto* timer = new QTimer(&view);
        QObject::connect(timer, &QTimer::timeout, &view, [&view, article, shot, timer] {
            view.page()->runJavaScript(
                QStringLiteral("window.corvelEditor && corvelEditor.ready"),
                [&view, article, shot, timer](const QVariant& ready) {
                    if (!ready.toBool() || !timer->isActive()) return;
                    timer->stop();
                    view.page()->runJavaScript(
                        QStringLiteral("corvelEditor.jodit.value = %1;")
                            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{article})
                                                       .toJson(QJsonDocument::Compact)
                                                       .mid(1)
                                                       .chopped(1))));
                    if (shot.isEmpty()) return;
                    QTimer::singleShot(2500, &view, [&view, shot] {
                        QApplication::exit(view.grab().save(shot) ? 0 : 4);
                    });
                });
        });
        timer->start(200);
    });
    view.show();
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    return QApplication::exec();
}
