#pragma once
// The message boxes the program shows: one interface for the shell and the settings dialogs.
// The desktop shows real boxes; tests record the texts and answer from a script.

class QString;
class QWidget;

class MessageBoxes {
public:
    enum class Choice { Save, Discard, Stay };

    virtual ~MessageBoxes() = default;

    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual bool confirm(QWidget* parent, const QString& text) = 0;  // true for "yes"
    virtual Choice askSaveDiscardStay(QWidget* parent, const QString& text) = 0;
    // For a file changed on disk by another program: Save overwrites it, Discard reads it again.
    virtual Choice askOverwriteReloadStay(QWidget* parent, const QString& text) = 0;
};
