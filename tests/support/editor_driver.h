#pragma once
// End-to-end tests drive the real editor page in the program's browser as a user would: scripts
// to look, real clicks to type into it, and the editor settings dialog from the menu.

#include <QAction>
#include <QDialog>
#include <QTest>
#include <QWebEngineView>

#include "editor_window.h"
#include "main_window.h"
#include "web_script.h"

inline constexpr int kPageTimeoutMs = 30000;

inline bool isShown(const QWidget* widget) { return widget != nullptr && widget->isVisible(); }

class EditorDriver {
public:
    explicit EditorDriver(Form_Editor_Main* main) : main_(main) {}

    QWebEngineView* view() const { return main_->editor()->browser(); }
    QWidget* input() const { return view()->focusProxy(); }
    // The script's result; an invalid QVariant when none came in time.
    QVariant js(const QString& script) const {
        return RunScript(view()->page(), script).value_or(QVariant());
    }
    bool waitFor(const QString& script, int timeoutMs = kPageTimeoutMs) const {
        return WaitFor([&] { return js(script).toBool(); }, timeoutMs, 20);
    }
    bool waitUntilReady(int timeoutMs = kPageTimeoutMs) const {
        return waitFor(QStringLiteral("!!(window.corvelEditor && corvelEditor.settled)"), timeoutMs);
    }
    QString articleText() const {
        return js(QStringLiteral("corvelEditor.jodit.editor.textContent")).toString();
    }
    QString toolbarSet() const { return js(QStringLiteral("corvelEditor.toolbarSet")).toString(); }

    // Clicks on the first line of the editing area, an iframe (offscreen, one CSS pixel is one
    // pixel); true once it has the focus.
    bool clickIntoEditingArea() const {
        const QVariantList at =
            js(QStringLiteral(
                   "(() => { const r = corvelEditor.jodit.iframe.getBoundingClientRect();"
                   " return [Math.round(r.left + 40), Math.round(r.top + 15)]; })()"))
                .toList();
        if (at.size() != 2 || !input()) return false;
        QTest::mouseClick(input(), Qt::LeftButton, {}, QPoint(at[0].toInt(), at[1].toInt()));
        return waitFor(QStringLiteral("corvelEditor.jodit.editorDocument.hasFocus()"), 5000);
    }

    // 选项 > 编辑器设置 from the menu; null unless the dialog is shown.
    QDialog* openEditorSettings() const {
        auto* command = main_->findChild<QAction*>(QStringLiteral("Option_Ueditor"));
        if (!command) return nullptr;
        command->trigger();
        auto* dialog = main_->findChild<QDialog*>(QStringLiteral("Form_Option_Ueditor"));
        return isShown(dialog) ? dialog : nullptr;
    }

private:
    Form_Editor_Main* main_;
};
