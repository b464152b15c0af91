#pragma once
// What the start-up and typing probes share: a platform that opens nothing, and the bare page
// they measure the editor against.

#include <QString>
#include <QUrl>
#include <cstdio>

#include "bare_options.h"
#include "platform.h"

class QuietPlatform final : public Platform {
public:
    void openUrl(const QUrl&) override {}
    bool startTool(const QString&) override { return false; }
    bool hasTool(const QString&) const override { return false; }
    void showError(QWidget*, const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    bool confirm(QWidget*, const QString&) override { return false; }
    Choice askSaveDiscardStay(QWidget*, const QString&) override {
        return Choice::Stay;
    }
    Choice askOverwriteReloadStay(QWidget*, const QString&) override {
        return Choice::Stay;
    }
};

// Plain Jodit with the option values the editor page gives it (made at build time from the page's
// modules): the same toolbar, captions and texts, the editor's commands as empty actions, and
// nothing of the editor page's code. The editor is as tall as the window leaves it, as the
// editor page makes it.
inline QString barePage(const QString& folder) {
    const QString base = QUrl::fromLocalFile(folder).toString();
    return QStringLiteral(R"(<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="%1/editor/vendor/jodit.min.css"></head><body>
<textarea id="editor"></textarea>
<script src="%1/editor/vendor/jodit.min.js"></script>
<script>
const options = %2;
for (const control of Object.values(options.controls)) control.exec = function () {};
const font = options.controls.font;
options.controls.font = Object.assign({}, Jodit.defaultOptions.controls.font, { list: Jodit.atom(font.list) });
options.iframeStyle = Jodit.defaultOptions.iframeStyle + options.iframeStyle;
options.height = Math.max(options.height, window.innerHeight - 24);
options.uploader = { insertImageAsBase64URI: true };
window.corvelEditor = { ready: false };
performance.mark('corvel:features');
window.corvelEditor.jodit = Jodit.make('#editor', options);
performance.mark('corvel:jodit');
performance.mark('corvel:ready');
window.corvelEditor.ready = true;
requestAnimationFrame(() => {
  const channel = new MessageChannel();
  channel.port1.onmessage = () => {
    performance.mark('corvel:painted');
    window.corvelEditor.painted = true;
  };
  channel.port2.postMessage(0);
});
</script></body></html>)")
        .arg(base, QString::fromUtf8(kBareOptions));
}

