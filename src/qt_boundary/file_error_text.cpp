#include "file_error_text.h"

#include <system_error>

#include "utf8_file.h"

namespace {
struct Wording {
    std::errc error;
    const char* text;
};

// Compared as portable conditions, so Windows' own error numbers find the same words.
constexpr Wording kWordings[] = {
    {std::errc::no_such_file_or_directory, "文件或文件夹不存在"},
    {std::errc::permission_denied, "没有访问权限，或文件是只读的"},
    {std::errc::operation_not_permitted, "没有访问权限，或文件是只读的"},
    {std::errc::read_only_file_system, "磁盘是只读的"},
    {std::errc::no_space_on_device, "磁盘空间不足"},
    {std::errc::file_too_large, "文件太大"},
    {std::errc::is_a_directory, "这是一个文件夹，不是文件"},
    {std::errc::not_a_directory, "路径中有一段不是文件夹"},
    {std::errc::filename_too_long, "文件名太长"},
    {std::errc::io_error, "读写出错，磁盘可能有故障"},
    {std::errc::device_or_resource_busy, "文件正被其他程序使用"},
    // The two refusals of the options library's reads.
    {std::errc::not_supported, "这不是普通文件（而是管道、设备等），程序不读取它"},
    {std::errc::value_too_large, "文件超过 64 MiB 的上限，程序不读取这么大的文件"},
};
}  // namespace

QString FileErrorReason(const std::exception& error) {
    const auto* fileError = dynamic_cast<const Utf8FileError*>(&error);
    if (fileError && fileError->code()) {
        const std::error_code code = fileError->code();
        for (const Wording& wording : kWordings) {
            if (code == wording.error) {
                return QString::fromUtf8(wording.text) + QStringLiteral("（") +
                       QString::fromStdString(code.message()) + QStringLiteral("）");
            }
        }
    }
    return QString::fromUtf8(error.what());
}
