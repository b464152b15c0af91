#pragma once
// The life cycle every settings dialog shares: opened modeless from the "选项" menu, the
// editor window disabled while it is loaded, Save that ends in a page refresh and unloading,
// and a close box that does exactly what "关闭" does.

#include <QDialog>
#include <exception>
#include <string>
#include <string_view>

#include "dialog_host.h"

class QLabel;
class QPushButton;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    bool isLoaded() const { return loaded_; }
    // The menu command: loads the dialog unless it is loaded already, then shows it. An open
    // dialog is only brought to the front; whatever the user changed stays.
    void openFromMenu();
    // Form_Unload: hides the dialog and enables the editor window again.
    void unload();

public Q_SLOTS:
    // Esc is swallowed before it gets here; the close box and every other way out end here.
    void reject() override;

protected:
    SettingsDialog(DialogHost& host, QWidget* owner);
    // Called by each dialog once its form is set up.
    void finishSetup(QPushButton* save, QPushButton* cancel);

    // A caption that wraps over several lines in a box sized for the old system font's tight
    // line spacing: drawn with lines 3/4 as high, the exact caption kept for screen readers.
    static void fitWrappedCaption(QLabel* label);

    DialogHost& host() const { return host_; }
    // Runs before the editor window is disabled.
    virtual void prepareLoad() {}
    // Reads the dialog's values and sets its controls.
    virtual void formLoad() = 0;
    // Stores the values. False keeps the dialog open (nothing written, or the user declined).
    virtual bool save() = 0;
    // Loads (again) while the dialog may already be loaded.
    void load();
    // Saves; on success refreshes the page. Returns whether the values were written.
    bool saveAndRefresh();

    // Tells the user that a file could not be written; the dialog stays as it is.
    void reportWriteFailure(const std::string& path, const std::exception& error);
    std::string pathInAppFolder(std::string_view name) const;

    void keyPressEvent(QKeyEvent* event) override;

private:
    void commandSave();

    DialogHost& host_;
    bool loaded_ = false;
};
