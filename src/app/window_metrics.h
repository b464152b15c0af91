#pragma once
// Window sizes are designed in twips; the program draws 15 twips to one logical pixel and
// leaves the rest to Qt's high-DPI scaling.

#include <QRect>
#include <QSize>
#include <QString>

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    // Round to the nearest pixel, also for the odd offsets that are not a whole pixel.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QSize twipsSize(int width, int height) {
    return {twipsToPixels(width), twipsToPixels(height)};
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// The main window's caption, also the title of the program's message boxes.
inline QString programCaption() { return QStringLiteral("Corvel软文编辑器"); }
