#pragma once
// Form_About: version and rights notice. One instance, no owner, so it outlives the main window.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTextEdit;

class Form_About final : public QDialog {
    Q_OBJECT
public:
    // Creates the window if it does not exist, and shows it (again), naming the folder that
    // holds the settings.
    static Form_About* showInstance(const QString& settingsFolder = {});
    // The open window, or null.
    static Form_About* instance();

    // "版本号：" and the version, two empty lines and the rights notice, joined by CR LF.
    static QString aboutText();

private:
    Form_About();
    void OKButton_Click();

    QTextEdit* Text_Show = nullptr;
    QPushButton* OKButton = nullptr;
    QLineEdit* Text_SettingsFolder = nullptr;  // selectable, so that the path can be copied
};
