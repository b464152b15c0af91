#include "program_icon.h"

// Drawn from the SVG at whatever size a window asks for, when it asks.
QIcon programIcon() { return QIcon(QStringLiteral(":/app/icon.svg")); }
