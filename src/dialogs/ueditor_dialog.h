#pragma once
// Form_Option_Ueditor: the editor component's settings, section "ueditor".

#include <memory>

#include "kept_values.h"
#include "option_dialog.h"

namespace Ui {
class Form_Option_Ueditor;
}

class UeditorDialog : public OptionDialog {
    Q_OBJECT
public:
    UeditorDialog(DialogHost& host, QWidget* owner);
    ~UeditorDialog() override;

private:
    void formLoad() override;
    std::vector<std::string> values() const override;

    std::unique_ptr<Ui::Form_Option_Ueditor> ui_;
    KeptChoice toolbars_;
    KeptText initialFrameHeight_;
    KeptText pageBreakTag_;
    KeptText initialStyle_;
};
