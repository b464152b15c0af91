#include "file_edit_dialog.h"

#include <exception>
#include <filesystem>
#include <utility>

#include "file_error_text.h"
#include "option_format.h"
#include "option_store.h"
#include "store_path.h"
#include "text_rules.h"
#include "ui_file_edit_dialog.h"
#include "utf8_file.h"

namespace {
struct RuleFileTexts {
    const char* key;
    QString caption;
    QString instruction;
};

RuleFileTexts textsOf(FileEditDialog::RuleFile which) {
    if (which == FileEditDialog::RuleFile::Conversion) {
        return {"conversionFile", QStringLiteral("简繁转换"),
                QStringLiteral("简繁转换 每组一行 简体字在前 繁体字在后 用|||分割")};
    }
    return {"redundantFile", QStringLiteral("错误更正 冗余去除"),
            QStringLiteral("错误更正 冗余去除:具体规则看下文")};
}
}  // namespace

FileEditDialog::FileEditDialog(DialogHost& host, QWidget* owner)
    : SettingsDialog(host, owner), ui_(new Ui::Form_Option_File_Edit) {
    ui_->setupUi(this);
    finishSetup(ui_->Command_Save, ui_->Command_Cancel);
}

FileEditDialog::~FileEditDialog() = default;

void FileEditDialog::openRuleFile(RuleFile which) {
    const char* key = textsOf(which).key;
    std::string path = pathInAppFolder(host().optionStore().GetOption("format", key));
    if (isLoaded() && (which != ruleFile_ || path != File_path)) {
        if (readable_ && content_.changed()) {
            const auto choice = host().messageBoxes().askSaveDiscardStay(
                this,
                QStringLiteral("“%1”有未保存的修改。\n切换到另一个规则文件之前，是否保存这些修改？")
                    .arg(FromStorePath(File_path)));
            if (choice == MessageBoxes::Choice::Stay ||
                (choice == MessageBoxes::Choice::Save && !saveAndRefresh())) {
                openFromMenu();
                return;
            }
        }
        pointAt(which, std::move(path));
        load();
    } else if (!isLoaded()) {
        pointAt(which, std::move(path));
    }
    openFromMenu();
    tellUser();
}

void FileEditDialog::pointAt(RuleFile which, std::string path) {
    const RuleFileTexts texts = textsOf(which);
    ruleFile_ = which;
    File_path = std::move(path);
    setWindowTitle(texts.caption);
    ui_->Label_File_instructions->setText(texts.instruction);
}

void FileEditDialog::formLoad() {
    std::string text;
    readable_ = false;
    utf8_ = true;
    notice_.clear();
    try {
        // A folder (the option empty) would read as nothing at all rather than fail.
        if (std::filesystem::is_directory(corvel::options::PathFromUtf8(File_path))) {
            throw Utf8FileError("这是一个文件夹，不是规则文件（设置项为空？）");
        }
        text = ReadUtf8File(File_path);
        readable_ = true;
    } catch (const std::exception& error) {
        notice_ = QStringLiteral("无法读取规则文件“%1”。\n原因：%2\n\n此文件不能在这里编辑或保存。")
                      .arg(FromStorePath(File_path), FileErrorReason(error));
    }
    utf8_ = IsValidUtf8(text);
    if (!utf8_) {
        notice_ = QStringLiteral(
                      "规则文件“%1”不是有效的 UTF-8 文本（可能是 GBK 等其他编码），"
                      "无法识别的字节显示为替换符号。\n\n不作修改直接保存会原样写回；"
                      "修改后保存将以 UTF-8 重写，原来的字节将会丢失。")
                      .arg(FromStorePath(File_path));
    }
    content_.load(ui_->Text_File_content, std::move(text));
    ui_->Text_File_content->setReadOnly(!readable_);
    ui_->Command_Save->setEnabled(readable_);
}

void FileEditDialog::tellUser() {
    if (notice_.isEmpty()) return;
    const QString notice = std::exchange(notice_, {});
    host().messageBoxes().showError(this, notice);
}

bool FileEditDialog::save() {
    if (!readable_) return false;
    // Unchanged, the file already holds exactly these bytes. Rewriting it would add a byte-order
    // mark to a file that had none, which could make a GBK file read as broken UTF-8.
    if (!content_.changed()) return true;
    if (!utf8_ && content_.changed() &&
        !host().messageBoxes().confirm(
            this, QStringLiteral("规则文件“%1”不是有效的 UTF-8 文本。\n保存后，"
                                 "其中无法识别的字节将被替换，原内容无法恢复。\n\n是否仍要保存？")
                      .arg(FromStorePath(File_path)))) {
        return false;
    }
    try {
        // Edited lines keep the line break the file used.
        WriteUtf8File(File_path, content_.value(corvel::options::LineBreakOf(content_.loaded())));
    } catch (const std::exception& error) {
        reportWriteFailure(File_path, error);
        return false;
    }
    return true;
}
