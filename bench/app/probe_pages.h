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
// modules), its own toolbar buttons as plain commands, and nothing of the editor page's code.
// The editor is as tall as the window leaves it, as the editor page makes it.
inline QString barePage(const QString& folder) {
    const QString base = QUrl::fromLocalFile(folder).toString();
    return QStringLiteral(R"(<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="%1/editor/vendor/jodit.min.css"></head><body>
<textarea id="editor"></textarea>
<script src="%1/editor/vendor/jodit.min.js"></script>
<script>
const options = %2;
const controls = {};
for (const name of %3) {
  if (name.startsWith('corvel')) controls[name] = { name: name, text: name, exec: function () {} };
}
options.controls = controls;
options.iframeStyle = Jodit.defaultOptions.iframeStyle + options.iframeStyle;
options.height = Math.max(options.height, window.innerHeight - 16);
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
        .arg(base, QString::fromUtf8(kBareOptions), QString::fromUtf8(kBareButtons));
}

