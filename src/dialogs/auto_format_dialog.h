#pragma once
// Form_Option_auto_format: automatic formatting, character conversion and error correction,
// section "auto_format". Stays on top of other windows when "system"/"alwaysTop" is "true".

#include <memory>

#include "option_dialog.h"

namespace Ui {
class Form_Option_auto_format;
}

class AutoFormatDialog : public OptionDialog {
    Q_OBJECT
public:
    AutoFormatDialog(DialogHost& host, QWidget* owner);
    ~AutoFormatDialog() override;

private:
    void prepareLoad() override;
    void formLoad() override;
    std::vector<std::string> values() const override;

    std::unique_ptr<Ui::Form_Option_auto_format> ui_;
};
