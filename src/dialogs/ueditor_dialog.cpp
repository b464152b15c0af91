#include "ueditor_dialog.h"

#include <array>

#include "text_rules.h"
#include "ui_ueditor_dialog.h"
#include "utf8_file.h"

namespace {
constexpr std::array<std::string_view, 6> kKeys{"toolbars",           "wordCount",
                                                "elementPathEnabled", "initialFrameHeight",
                                                "pageBreakTag",       "initialStyle"};
// The right-hand button of each pair means on.
constexpr int kOn = 1;
}  // namespace

UeditorDialog::UeditorDialog(DialogHost& host, QWidget* owner)
    : OptionDialog(host, owner, "ueditor", kKeys), ui_(new Ui::Form_Option_Ueditor) {
    ui_->setupUi(this);
    NumberButtons(ui_->Option_wordCount, {ui_->Option_wordCount_0, ui_->Option_wordCount_1});
    NumberButtons(ui_->Option_elementPathEnabled,
                  {ui_->Option_elementPathEnabled_0, ui_->Option_elementPathEnabled_1});
    finishSetup(ui_->Command_Save, ui_->Command_Cancel);
}

UeditorDialog::~UeditorDialog() = default;

void UeditorDialog::formLoad() {
    auto read = readOptions();
    toolbars_.load(ui_->Combo_toolbars, std::move(read[0]));
    LoadPair(ui_->Option_wordCount, read[1], kOn);
    LoadPair(ui_->Option_elementPathEnabled, read[2], kOn);
    initialFrameHeight_.load(ui_->Text_initialFrameHeight, std::move(read[3]));
    pageBreakTag_.load(ui_->Text_pageBreakTag, std::move(read[4]));
    initialStyle_.load(ui_->Text_initialStyle, std::move(read[5]));
}

std::vector<std::string> UeditorDialog::values() const {
    // A value in web.ini cannot hold a line break, so typed lines are joined; an untouched
    // style is stored exactly as it was read.
    std::string style =
        initialStyle_.changed() ? StripLineBreaks(initialStyle_.value()) : initialStyle_.loaded();
    return {toolbars_.value(),
            PairValue(ui_->Option_wordCount, kOn),
            PairValue(ui_->Option_elementPathEnabled, kOn),
            initialFrameHeight_.value(),
            pageBreakTag_.value(),
            std::move(style)};
}
