#pragma once
// The one crossing for file names between Qt and the option store. The store names files by
// std::string holding UTF-8 (utf8_path.h); Qt names them by QString. Every path that goes from one
// side to the other goes through these two functions, never through toStdString(),
// fromStdString(), toLocal8Bit() or a std::filesystem::path made from a QString's bytes.

#include <QString>
#include <string>
#include <string_view>

// The store's name for `path`, with the platform's own separators.
std::string ToStorePath(const QString& path);

// The name the store uses, for Qt (file dialogs, URLs, messages).
QString FromStorePath(std::string_view storePath);
