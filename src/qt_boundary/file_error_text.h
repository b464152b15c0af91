#pragma once
// The reason a file could not be read or written, worded for the user in Chinese.

#include <QString>
#include <exception>

// For the common system errors a Chinese sentence followed by the system's own text in
// brackets; otherwise the error's text as it is.
QString FileErrorReason(const std::exception& error);
