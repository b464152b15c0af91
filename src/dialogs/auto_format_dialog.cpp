#include "auto_format_dialog.h"

#include <algorithm>
#include <array>

#include "kept_values.h"
#include "text_rules.h"
#include "ui_auto_format_dialog.h"

namespace {
constexpr std::array<std::string_view, 3> kKeys{"format", "conversion", "redundant"};
// The left-hand button of each pair means automatic.
constexpr int kOn = 0;
// The conversion trio by index; a Save without a choice keeps the characters as they are.
const std::vector<std::string> kConversions{"simplified", "traditional", "same"};
}  // namespace

AutoFormatDialog::AutoFormatDialog(DialogHost& host, QWidget* owner)
    : OptionDialog(host, owner, "auto_format", kKeys), ui_(new Ui::Form_Option_auto_format) {
    ui_->setupUi(this);
    NumberButtons(ui_->Option_format, {ui_->Option_format_0, ui_->Option_format_1});
    NumberButtons(ui_->Option_Conversion,
                  {ui_->Option_Conversion_0, ui_->Option_Conversion_1, ui_->Option_Conversion_2});
    NumberButtons(ui_->Option_redundant, {ui_->Option_redundant_0, ui_->Option_redundant_1});
    finishSetup(ui_->Command_Save, ui_->Command_Cancel);
}

AutoFormatDialog::~AutoFormatDialog() = default;

void AutoFormatDialog::prepareLoad() {
    setWindowFlag(Qt::WindowStaysOnTopHint, IsOn(readOption("system", "alwaysTop")));
}

void AutoFormatDialog::formLoad() {
    const auto read = readOptions();
    LoadPair(ui_->Option_format, read[0], kOn);
    const auto conversion = std::find(kConversions.begin(), kConversions.end(), read[1]);
    SelectButton(ui_->Option_Conversion, conversion == kConversions.end()
                                             ? -1
                                             : static_cast<int>(conversion - kConversions.begin()));
    LoadPair(ui_->Option_redundant, read[2], kOn);
}

std::vector<std::string> AutoFormatDialog::values() const {
    const int conversion = ui_->Option_Conversion->checkedId();
    return {PairValue(ui_->Option_format, kOn),
            kConversions[conversion < 0 ? kConversions.size() - 1
                                        : static_cast<std::size_t>(conversion)],
            PairValue(ui_->Option_redundant, kOn)};
}
