#include "fit_browser.h"

namespace {
constexpr int kCaptionAndBorderHeight = 465;
constexpr int kBorderWidth = 16;
}  // namespace

TwipSize FitBrowserToForm(TwipSize form, std::int16_t minEditorWidth,
                          std::int16_t minEditorHeight) {
    const int availableHeight = form.height - kCaptionAndBorderHeight;
    const int availableWidth = form.width - kBorderWidth;
    TwipSize browser;
    browser.height = availableHeight > minEditorHeight ? availableHeight : minEditorHeight;
    browser.width = availableWidth > minEditorWidth ? availableWidth : minEditorWidth;
    return browser;
}
