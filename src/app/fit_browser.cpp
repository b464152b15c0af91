#include "fit_browser.h"

TwipSize FitBrowserToForm(TwipSize form, std::int16_t minEditorWidth,
                          std::int16_t minEditorHeight) {
    const int availableHeight = form.height - kFormCaptionAndBorderHeight;
    const int availableWidth = form.width - kFormBorderWidth;
    TwipSize browser;
    browser.height = availableHeight > minEditorHeight ? availableHeight : minEditorHeight;
    browser.width = availableWidth > minEditorWidth ? availableWidth : minEditorWidth;
    return browser;
}
