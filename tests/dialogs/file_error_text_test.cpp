// The reason shown when a file cannot be read or written.
#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

#include "file_error_text.h"
#include "utf8_file.h"

TEST(FileErrorReason, WordsSystemErrorsInChineseAndKeepsTheSystemText) {
    const std::error_code missing = std::make_error_code(std::errc::no_such_file_or_directory);
    const QString reason = FileErrorReason(Utf8FileError("cannot read \"x\"", missing));
    EXPECT_TRUE(reason.startsWith(QStringLiteral("文件或文件夹不存在（"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QString::fromStdString(missing.message())));

    const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
    EXPECT_TRUE(
        FileErrorReason(Utf8FileError("m", full)).startsWith(QStringLiteral("磁盘空间不足")));
}

TEST(FileErrorReason, OtherErrorsKeepTheirOwnText) {
    EXPECT_EQ(FileErrorReason(Utf8FileError("too large")), QStringLiteral("too large"));
    EXPECT_EQ(
        FileErrorReason(Utf8FileError("odd", std::make_error_code(std::errc::connection_refused))),
        QStringLiteral("odd"));
    EXPECT_EQ(FileErrorReason(std::runtime_error("其他")), QStringLiteral("其他"));
}
