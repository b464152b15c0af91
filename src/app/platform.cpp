#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <cstdio>

#include "unopened_address.h"
#include "window_metrics.h"

void DesktopPlatform::openUrl(const QUrl& url) {
    if (QDesktopServices::openUrl(url)) return;
    makeUnopenedAddressDialog(url, QApplication::activeWindow())->exec();
}

bool DesktopPlatform::startTool(const QString& program) {
    return QProcess::startDetached(program, {});
}

bool DesktopPlatform::hasTool(const QString& program) const {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

void DesktopPlatform::showError(QWidget* parent, const QString& text) {
    // Also on standard error, for whoever started the program from a terminal or a script.
    std::fprintf(stderr, "corvel-editor: %s\n", text.toLocal8Bit().constData());
    // Without a screen, a box would wait for a click that can never come.
    if (!canShowMessageBoxes()) return;
    QMessageBox::critical(parent, programCaption(), text);
}

bool canShowMessageBoxes() {
    const QString platform = QGuiApplication::platformName();
    return QGuiApplication::primaryScreen() != nullptr && platform != QLatin1String("offscreen") &&
           platform != QLatin1String("minimal");
}

bool DesktopPlatform::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, programCaption(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

MessageBoxes::Choice DesktopPlatform::askSaveDiscardStay(QWidget* parent, const QString& text) {
    const auto answer = QMessageBox::question(
        parent, programCaption(), text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return Choice::Save;
    if (answer == QMessageBox::Discard) return Choice::Discard;
    return Choice::Stay;
}

MessageBoxes::Choice DesktopPlatform::askOverwriteReloadStay(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, programCaption(), text, QMessageBox::NoButton, parent);
    QPushButton* overwrite = box.addButton(QStringLiteral("覆盖"), QMessageBox::AcceptRole);
    QPushButton* reload = box.addButton(QStringLiteral("重新读取"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(overwrite);
    box.exec();
    if (box.clickedButton() == overwrite) return Choice::Save;
    if (box.clickedButton() == reload) return Choice::Discard;
    return Choice::Stay;
}
