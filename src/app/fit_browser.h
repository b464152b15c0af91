#pragma once
// Bas_Function: sizing of the editor's browser to its window. Pure arithmetic in twips.

#include <cstdint>

struct TwipSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipSize&, const TwipSize&) = default;
};

// The caption and border of the editor window, counted in its outer size.
inline constexpr int kFormBorderWidth = 16;
inline constexpr int kFormCaptionAndBorderHeight = 465;

// The browser's size for a window of outer size `form`: the window less 16 across and 465
// down (its border and caption), but never below the minimums.
TwipSize FitBrowserToForm(TwipSize form, std::int16_t minEditorWidth, std::int16_t minEditorHeight);
