#pragma once
// corvelHost's printer for the editor's browser: the system's print dialog (Qt PrintSupport)
// and the web engine's PDF output on A4 with margins.

#include <memory>

#include "page_printer.h"

class QWebEngineView;

std::unique_ptr<PagePrinter> makeViewPrinter(QWebEngineView* view);
