#pragma once
// The one icon shared by all windows of the program.

#include <QIcon>

QIcon programIcon();
