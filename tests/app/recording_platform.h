#pragma once
// A platform that records what the program asks of the desktop and answers message boxes.

#include <QSet>
#include <QStringList>
#include <QUrl>
#include <vector>

#include "platform.h"

class RecordingPlatform final : public Platform {
public:
    void openUrl(const QUrl& url) override { opened.push_back(url); }
    bool startTool(const QString& program) override {
        started.push_back(program);
        return toolsStart;
    }
    bool hasTool(const QString& program) const override { return installed.contains(program); }
    void showError(QWidget*, const QString& text) override { errors.push_back(text); }
    bool confirm(QWidget*, const QString&) override { return true; }
    Choice askSaveDiscardStay(QWidget*, const QString&) override { return Choice::Stay; }
    Choice askOverwriteReloadStay(QWidget*, const QString&) override { return Choice::Stay; }

    QSet<QString> installed;
    bool toolsStart = true;
    std::vector<QUrl> opened;
    QStringList started;
    QStringList errors;
};
