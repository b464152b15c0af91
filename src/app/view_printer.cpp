#include "view_printer.h"

#include <QEventLoop>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <stdexcept>

namespace {

// A4 with the margins of a printed letter; the article's own fonts are the system's Noto CJK.
QPageLayout a4() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
            QPageLayout::Millimeter};
}

class ViewPrinter final : public PagePrinter {
public:
    explicit ViewPrinter(QWebEngineView* view) : view_(view) {}

    bool print(QWidget* parent) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(a4());
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印文章"));
        if (dialog.exec() != QDialog::Accepted) return false;
        // The engine prints asynchronously and needs the printer until it says it is done.
        bool ok = false;
        QEventLoop loop;
        QObject::connect(view_, &QWebEngineView::printFinished, &loop, [&](bool done) {
            ok = done;
            loop.quit();
        });
        view_->print(&printer);
        loop.exec();
        if (!ok) throw std::runtime_error("打印机未能打印");
        return true;
    }

    QByteArray pdf() override {
        QByteArray out;
        QEventLoop loop;
        view_->page()->printToPdf(
            [&](const QByteArray& data) {
                out = data;
                loop.quit();
            },
            a4());
        loop.exec();
        return out;
    }

private:
    QWebEngineView* view_;
};

}  // namespace

std::unique_ptr<PagePrinter> makeViewPrinter(QWebEngineView* view) {
    return std::make_unique<ViewPrinter>(view);
}
