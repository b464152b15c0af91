#pragma once
// What the settings dialogs need from the running program. The main window provides it;
// tests provide a fake that records refreshes and answers message boxes.

#include <string>

class Class_Option;
class QString;
class QWidget;

class DialogHost {
public:
    enum class Choice { Save, Discard, Stay };

    virtual ~DialogHost() = default;

    virtual Class_Option& optionStore() = 0;
    // The program's folder; rule-file names are relative to it.
    virtual const std::string& appFolder() const = 0;
    // Dialogs are owned by this window and centred on it.
    virtual QWidget* ownerWindow() = 0;
    // Enables or disables the editor window. Does nothing once the editor window is gone,
    // and never creates one.
    virtual void setEditorEnabled(bool enabled) = 0;
    // Reloads the editor page so that it reads the settings again.
    virtual void refreshEditor() = 0;

    // Message boxes, routed through the host so that tests can answer them.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual bool confirm(QWidget* parent, const QString& text) = 0;  // true for "yes"
    virtual Choice askSaveDiscardStay(QWidget* parent, const QString& text) = 0;
    // For a file changed on disk by another program: Save overwrites it, Discard reads it again.
    virtual Choice askOverwriteReloadStay(QWidget* parent, const QString& text) = 0;
};
