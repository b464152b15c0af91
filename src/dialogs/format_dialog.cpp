#include "format_dialog.h"

#include <array>

#include "text_rules.h"
#include "ui_format_dialog.h"

namespace {
constexpr std::array<std::string_view, 8> kKeys{
    "paragraphBeforeBlank",     "imageJustify", "imageCaptionText", "imageCaptionText_MaxLength",
    "imageCaptionText_EndSign", "retainBold",   "dateline",         "editorname"};
// The left-hand button, "保留粗体", means on.
constexpr int kOn = 0;
}  // namespace

FormatDialog::FormatDialog(DialogHost& host, QWidget* owner)
    : OptionDialog(host, owner, "format", kKeys), ui_(new Ui::Form_Option_format) {
    ui_->setupUi(this);
    NumberButtons(ui_->Option_retainBold, {ui_->Option_retainBold_0, ui_->Option_retainBold_1});
    fitWrappedCaption(ui_->Label_dateline);
    fitWrappedCaption(ui_->Label_editorname);
    finishSetup(ui_->Command_Save, ui_->Command_Cancel);
}

FormatDialog::~FormatDialog() = default;

void FormatDialog::formLoad() {
    auto read = readOptions();
    paragraphBeforeBlank_.load(ui_->Text_paragraphBeforeBlank, std::move(read[0]));
    imageJustify_.load(ui_->Combo_imageJustify, std::move(read[1]));
    imageCaptionText_.load(ui_->Combo_imageCaptionText, std::move(read[2]));
    maxLength_.load(ui_->Text_imageCaptionText_MaxLength, std::move(read[3]));
    endSign_.load(ui_->Text_imageCaptionText_EndSign, std::move(read[4]));
    LoadPair(ui_->Option_retainBold, read[5], kOn);
    dateline_.load(ui_->Text_dateline, StoredListToBox(read[6]));
    editorname_.load(ui_->Text_editorname, StoredListToBox(read[7]));
}

std::vector<std::string> FormatDialog::values() const {
    return {paragraphBeforeBlank_.value(),
            imageJustify_.value(),
            imageCaptionText_.value(),
            maxLength_.value(),
            endSign_.value(),
            PairValue(ui_->Option_retainBold, kOn),
            BoxToStoredList(dateline_.value()),
            BoxToStoredList(editorname_.value())};
}
