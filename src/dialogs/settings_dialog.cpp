#include "settings_dialog.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "file_error_text.h"
#include "folder_path.h"
#include "kept_values.h"
#include "store_path.h"

SettingsDialog::SettingsDialog(DialogHost& host, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host) {
    // The forms are laid out in logical pixels, so the font is sized in pixels too: 12 px
    // (9 pt at 96 dpi) lets every caption fit its box at any screen resolution.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("Droid Sans Fallback")});
    font.setPixelSize(12);
    setFont(font);
}

void SettingsDialog::finishSetup(QPushButton* save, QPushButton* cancel) {
    setFixedSize(size());
    for (auto* button : {save, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(save, &QPushButton::clicked, this, &SettingsDialog::commandSave);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::unload);
}

void SettingsDialog::fitWrappedCaption(QLabel* label) {
    const QString caption = label->text();
    label->setAccessibleName(caption);
    label->setTextFormat(Qt::RichText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QStringLiteral("<p style=\"white-space:pre-wrap; line-height:75%\">%1</p>")
                       .arg(caption.toHtmlEscaped()));
}

void SettingsDialog::openFromMenu() {
    if (!loaded_) {
        load();
        // Centred frame on frame; the dialog's frame is not known before it is shown, so it
        // is taken to be as thick as the owner's.
        const QWidget* owner = parentWidget();
        QRect frame(QPoint(), size() + owner->frameGeometry().size() - owner->size());
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void SettingsDialog::load() {
    prepareLoad();
    host_.setEditorEnabled(false);
    loaded_ = true;
    formLoad();
}

void SettingsDialog::unload() {
    if (!loaded_) return;
    loaded_ = false;
    hide();
    host_.setEditorEnabled(true);
}

void SettingsDialog::reject() { unload(); }

bool SettingsDialog::saveAndRefresh() {
    if (host_.settingsReadOnly()) {
        host_.messageBoxes().showError(
            this, QStringLiteral("本次启动时设置文件夹不可用，程序以只读方式使用默认设置，"
                                 "修改无法保存。\n您的修改仍在对话框中。"));
        return false;
    }
    if (!save()) return false;
    host_.refreshEditor();
    return true;
}

void SettingsDialog::commandSave() {
    if (saveAndRefresh()) unload();
}

void SettingsDialog::reportWriteFailure(const std::string& path, const std::exception& error) {
    host_.messageBoxes().showError(
        this, QStringLiteral("无法保存文件“%1”。\n原因：%2\n\n您的修改仍在对话框中。")
                  .arg(FromStorePath(path), FileErrorReason(error)));
}

std::string SettingsDialog::pathInAppFolder(std::string_view name) const {
    return PathInFolder(host_.appFolder(), name);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    // Esc does not close a settings dialog, and Enter saves only from the focused button.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
