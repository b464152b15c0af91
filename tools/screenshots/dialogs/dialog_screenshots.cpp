// Opens each settings dialog on the shipped settings and saves a picture of it, to check by eye
// that no caption is clipped. Usage: dialog-screenshots <output folder>
#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <filesystem>

#include "fake_host.h"
#include "settings_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const std::filesystem::path out = argv[1];
    const auto folder = std::filesystem::temp_directory_path() / "corvel-dialog-screenshots";
    std::filesystem::remove_all(folder);
    std::filesystem::copy(CORVEL_DATA_DIR, folder);
    FakeHost host(folder);
    SettingsDialogs dialogs(host);
    const auto shoot = [&](void (SettingsDialogs::*open)(), const char* name, const char* file) {
        (dialogs.*open)();
        auto* dialog = host.ownerWindow()->findChild<QDialog*>(name);
        QApplication::processEvents();
        dialog->grab().save(QString::fromStdString((out / file).string()));
        dialogs.closeAll();
    };
    shoot(&SettingsDialogs::openUeditor, "Form_Option_Ueditor", "dialog-ueditor.png");
    shoot(&SettingsDialogs::openAutoFormat, "Form_Option_auto_format", "dialog-auto-format.png");
    shoot(&SettingsDialogs::openFormat, "Form_Option_format", "dialog-format.png");
    shoot(&SettingsDialogs::openConversionFile, "Form_Option_File_Edit", "dialog-file-edit.png");
    std::filesystem::remove_all(folder);
    return 0;
}
