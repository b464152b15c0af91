#include "capped_file_qt.h"

#include "capped_file.h"
#include "store_path.h"
#include "utf8_path.h"

std::error_code CappedFileRefusal(const QString& path, std::uintmax_t cap) {
    return corvel::options::CappedFileRefusal(corvel::options::PathFromUtf8(ToStorePath(path)),
                                              cap);
}

