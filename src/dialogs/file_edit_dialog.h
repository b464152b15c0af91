#pragma once
// Form_Option_File_Edit: one rule file (the conversion list or the correction list) shown as a
// single text and written back whole. One dialog serves both files.

#include <memory>
#include <string>

#include "kept_values.h"
#include "settings_dialog.h"

namespace Ui {
class Form_Option_File_Edit;
}

class FileEditDialog : public SettingsDialog {
    Q_OBJECT
public:
    enum class RuleFile { Conversion, Redundant };

    FileEditDialog(DialogHost& host, QWidget* owner);
    ~FileEditDialog() override;

    // The two menu commands. While the dialog is open on the other file (or on another path),
    // unsaved changes are saved, discarded or kept as the user chooses, and a file's text is
    // never written into the other file.
    void openRuleFile(RuleFile which);
    const std::string& filePath() const { return File_path; }

private:
    void formLoad() override;
    bool save() override;
    // Points the dialog at a file: File_path, caption and instruction.
    void pointAt(RuleFile which, std::string path);
    void tellUser();

    std::unique_ptr<Ui::Form_Option_File_Edit> ui_;
    RuleFile ruleFile_ = RuleFile::Conversion;
    std::string File_path;
    KeptText content_;
    // How the file was read: whether there is anything to save over, and whether its bytes
    // were UTF-8 text.
    bool readable_ = false;
    bool utf8_ = true;
    // Told once the dialog is on screen.
    QString notice_;
};
