#pragma once
// What the start-up and typing probes share: a platform that opens nothing, and the bare page
// they measure the editor against.

#include <QString>
#include <QUrl>
#include <cstdio>

#include "bare_buttons.h"
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

// Plain Jodit with the options the editor page gives it, its own toolbar buttons as plain
// commands, and nothing of the editor page's code: the button list is copied in at build time.
inline QString barePage(const QString& folder) {
    const QString base = QUrl::fromLocalFile(folder).toString();
    return QStringLiteral(R"(<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="%1/editor/vendor/jodit.min.css"></head><body>
<textarea id="editor"></textarea>
<script src="%1/editor/vendor/jodit.min.js"></script>
<script>
const buttons = %2;
const controls = {};
for (const name of buttons) {
  if (name.startsWith('corvel')) controls[name] = { name: name, text: name, exec: function () {} };
}
window.corvelEditor = { ready: false };
performance.mark('corvel:features');
window.corvelEditor.jodit = Jodit.make('#editor', {
  language: 'zh_cn', toolbarAdaptive: false, buttons: buttons, controls: controls, iframe: true,
  height: 'auto', allowResizeY: false, sourceEditor: 'area', beautifyHTML: false,
  showCharsCounter: false, showWordsCounter: false, showXPathInStatusbar: false,
  hidePoweredByJodit: true, askBeforePasteHTML: false, askBeforePasteFromWord: false,
  defaultActionOnPaste: 'insert_as_html', uploader: { insertImageAsBase64URI: true },
  saveSelectionOnBlur: true,
});
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
        .arg(base, QString::fromUtf8(kBareButtons));
}

