#pragma once
// Form_Option_format: paragraph blank, image and caption alignment, caption limits, bold
// handling and the dateline and editor-name lists, section "format".

#include <memory>

#include "kept_values.h"
#include "option_dialog.h"

namespace Ui {
class Form_Option_format;
}

class FormatDialog : public OptionDialog {
    Q_OBJECT
public:
    FormatDialog(DialogHost& host, QWidget* owner);
    ~FormatDialog() override;

private:
    void formLoad() override;
    std::vector<std::string> values() const override;

    std::unique_ptr<Ui::Form_Option_format> ui_;
    KeptText paragraphBeforeBlank_;
    KeptChoice imageJustify_;
    KeptChoice imageCaptionText_;
    KeptText maxLength_;
    KeptText endSign_;
    KeptText dateline_;
    KeptText editorname_;
};
