// The reason shown when a file cannot be read or written.
#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

#include "file_error_text.h"
#include "utf8_file.h"

TEST(FileErrorReason, WordsSystemErrorsInChineseAndKeepsTheSystemText) {
    for (const auto& [error, words] :
         {std::pair{std::errc::no_such_file_or_directory, "文件或文件夹不存在"},
          std::pair{std::errc::no_space_on_device, "磁盘空间不足"}}) {
        const std::error_code code = std::make_error_code(error);
        EXPECT_EQ(FileErrorReason(Utf8FileError("cannot read \"x\"", code)),
                  QString::fromUtf8(words) + "（" + QString::fromStdString(code.message()) + "）");
    }
}

TEST(FileErrorReason, OtherErrorsKeepTheirOwnText) {
    EXPECT_EQ(FileErrorReason(Utf8FileError("too large")), QStringLiteral("too large"));
    EXPECT_EQ(
        FileErrorReason(Utf8FileError("odd", std::make_error_code(std::errc::connection_refused))),
        QStringLiteral("odd"));
    EXPECT_EQ(FileErrorReason(std::runtime_error("其他")), QStringLiteral("其他"));
}
