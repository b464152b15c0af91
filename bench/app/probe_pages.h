#pragma once
// What the start-up and typing probes share: a platform that opens nothing, and the bare page
// they measure the editor against.

#include <QString>
#include <QUrl>
#include <cstdio>

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
// commands, and nothing else of the editor page (its script only lends the button list: on a
// page without the notice box it starts no editor).
inline QString barePage(const QString& folder) {
    const QString base = QUrl::fromLocalFile(folder).toString();
    return QStringLiteral(R"(<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="%1/editor/vendor/jodit.min.css"></head><body>
<textarea id="editor"></textarea>
<script src="%1/editor/vendor/jodit.min.js"></script>
<script src="%1/editor/js/editor.js"></script>
<script>
const buttons = CorvelPage.toolbars.buttonsFor('Standard');
const controls = {};
for (const name of buttons) {
  if (name.startsWith('corvel')) controls[name] = { name: name, text: name, exec: function () {} };
}
window.corvelEditor = { ready: false };
window.corvelEditor.jodit = Jodit.make('#editor', {
  language: 'zh_cn', toolbarAdaptive: false, buttons: buttons, controls: controls, iframe: true,
  height: 'auto', allowResizeY: false, sourceEditor: 'area', beautifyHTML: false,
  showCharsCounter: false, showWordsCounter: false, showXPathInStatusbar: false,
  hidePoweredByJodit: true, askBeforePasteHTML: false, askBeforePasteFromWord: false,
  defaultActionOnPaste: 'insert_as_html', uploader: { insertImageAsBase64URI: true },
  saveSelectionOnBlur: true,
});
window.corvelEditor.ready = true;
</script></body></html>)")
        .arg(base);
}

