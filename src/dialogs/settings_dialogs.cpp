#include "settings_dialogs.h"

#include <QPointer>

#include "auto_format_dialog.h"
#include "dialog_host.h"
#include "file_edit_dialog.h"
#include "format_dialog.h"
#include "ueditor_dialog.h"

struct SettingsDialogs::Impl {
    DialogHost& host;
    // Owned by the host's owner window; the pointers clear themselves if it goes first.
    QPointer<UeditorDialog> ueditor;
    QPointer<AutoFormatDialog> autoFormat;
    QPointer<FormatDialog> format;
    QPointer<FileEditDialog> fileEdit;

    template <class Dialog>
    Dialog& instance(QPointer<Dialog>& dialog) {
        if (!dialog) dialog = new Dialog(host, host.ownerWindow());
        return *dialog;
    }

    template <class Each>
    void forEach(Each each) {
        for (SettingsDialog* dialog : {static_cast<SettingsDialog*>(ueditor.data()),
                                       static_cast<SettingsDialog*>(autoFormat.data()),
                                       static_cast<SettingsDialog*>(format.data()),
                                       static_cast<SettingsDialog*>(fileEdit.data())}) {
            if (dialog) each(dialog);
        }
    }
};

SettingsDialogs::SettingsDialogs(DialogHost& host) : impl_(new Impl{host, {}, {}, {}, {}}) {}

SettingsDialogs::~SettingsDialogs() {
    // The dialogs call back into the host, which may not outlive this object.
    impl_->forEach([](SettingsDialog* dialog) { delete dialog; });
}

void SettingsDialogs::openUeditor() { impl_->instance(impl_->ueditor).openFromMenu(); }

void SettingsDialogs::openAutoFormat() { impl_->instance(impl_->autoFormat).openFromMenu(); }

void SettingsDialogs::openFormat() { impl_->instance(impl_->format).openFromMenu(); }

void SettingsDialogs::openConversionFile() {
    impl_->instance(impl_->fileEdit).openRuleFile(FileEditDialog::RuleFile::Conversion);
}

void SettingsDialogs::openRedundantFile() {
    impl_->instance(impl_->fileEdit).openRuleFile(FileEditDialog::RuleFile::Redundant);
}

void SettingsDialogs::closeAll() {
    impl_->forEach([](SettingsDialog* dialog) { dialog->unload(); });
}
