#pragma once
// Printing the editor page, whose print style shows the article alone: the system's print
// dialog, and an A4 PDF with margins from the web engine's own PDF output. The program gives
// corvelHost one that prints its browser; tests give their own.

#include <QByteArray>

class QWidget;

class PagePrinter {
public:
    virtual ~PagePrinter() = default;
    // Shows the print dialog and prints; false when the user cancelled. Throws on failure.
    virtual bool print(QWidget* parent) = 0;
    // The page as a PDF document; empty when the engine could not make one.
    virtual QByteArray pdf() = 0;
};
