#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

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
    QMessageBox::critical(parent, programCaption(), text);
}

bool DesktopPlatform::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, programCaption(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

DialogHost::Choice DesktopPlatform::askSaveDiscardStay(QWidget* parent, const QString& text) {
    const auto answer = QMessageBox::question(
        parent, programCaption(), text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return DialogHost::Choice::Save;
    if (answer == QMessageBox::Discard) return DialogHost::Choice::Discard;
    return DialogHost::Choice::Stay;
}
