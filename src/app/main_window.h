#pragma once
// Form_Editor_Main: the program's main window. An MDI parent with the menu bar and the editor
// window inside; it is also what the settings dialogs know of the program.

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "dialog_host.h"
#include "local_tools.h"
#include "menu_tree.h"
#include "web_address.h"

class Form_Editor;
class Platform;
class QMdiArea;
class QWebEngineProfile;
class SettingsDialogs;
struct AppContext;

class Form_Editor_Main final : public QMainWindow, public DialogHost {
    Q_OBJECT
public:
    Form_Editor_Main(AppContext& context, QWebEngineProfile& profile, Platform& platform);
    ~Form_Editor_Main() override;

    // The editor window; null once it is gone.
    Form_Editor* editor() const;

    void OpenWebAddress(AddressRole role);
    void StartLocalTool(LocalTool tool);

    // DialogHost
    Class_Option& optionStore() override;
    const std::string& appFolder() const override;
    bool settingsReadOnly() const override;
    QWidget* ownerWindow() override { return this; }
    void setEditorEnabled(bool enabled) override;
    void refreshEditor() override;
    MessageBoxes& messageBoxes() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_Load(QWebEngineProfile& profile);
    void buildMenuBar();
    void run(Command command);

    AppContext& context_;
    Platform& platform_;
    QMdiArea* mdiArea_ = nullptr;
    QPointer<Form_Editor> editor_;
    std::unique_ptr<SettingsDialogs> dialogs_;
};
