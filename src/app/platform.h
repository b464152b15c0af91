#pragma once
// The program's few calls into the desktop: opening an address in the user's browser,
// starting a local tool, and message boxes. Tests replace it to record and answer them.

#include <QString>
#include <QUrl>

#include "message_boxes.h"

class QWidget;

class Platform : public MessageBoxes {
public:
    virtual ~Platform() = default;

    // Opens the address in whatever the desktop uses for it. When that fails, the user is
    // shown the address to copy.
    virtual void openUrl(const QUrl& url) = 0;
    // Starts the program by its bare name, detached, without waiting. False if it did not start.
    virtual bool startTool(const QString& program) = 0;
    // True when `program` can be found the way startTool() would find it.
    virtual bool hasTool(const QString& program) const = 0;
};

// Whether a message box can be seen and answered: not on the offscreen or minimal platform,
// nor without any screen.
bool canShowMessageBoxes();

// The real desktop: QDesktopServices, QProcess and QMessageBox. Errors also go to standard
// error, and only there when no box can be shown.
class DesktopPlatform final : public Platform {
public:
    void openUrl(const QUrl& url) override;
    bool startTool(const QString& program) override;
    bool hasTool(const QString& program) const override;
    void showError(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    Choice askSaveDiscardStay(QWidget* parent, const QString& text) override;
    Choice askOverwriteReloadStay(QWidget* parent, const QString& text) override;
};
