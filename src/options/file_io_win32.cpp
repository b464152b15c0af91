// Windows file I/O: whole-file reads and atomic replacement through ReplaceFileW/MoveFileExW.
// Every name goes to the wide (W) functions; names given as strings were decoded as UTF-8 before
// they became paths (utf8_path.h), and messages name the file in UTF-8.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <system_error>

#include "file_io.h"
#include "file_stamp.h"
#include "temp_files.h"
#include "utf8_file.h"
#include "utf8_path.h"

namespace corvel::options {
namespace {

[[noreturn]] void Fail(std::string_view action, const std::filesystem::path& path,
                       std::error_code code, std::string_view detail = {}) {
    std::string message = std::string(action) + " \"" + Utf8FromPath(path) + "\": ";
    if (!detail.empty()) message += std::string(detail) + " (";
    message += code.message();
    if (!detail.empty()) message += ")";
    throw Utf8FileError(message, code);
}

[[noreturn]] void Fail(std::string_view action, const std::filesystem::path& path, DWORD error,
                       std::string_view detail = {}) {
    Fail(action, path, std::error_code(static_cast<int>(error), std::system_category()), detail);
}

// The same codes and words as on POSIX, for what is no settings file.
[[noreturn]] void FailNotAFile(const std::filesystem::path& path, bool folder) {
    if (folder)
        Fail("cannot read", path, make_error_code(std::errc::is_a_directory),
             "a folder, not a file");
    Fail("cannot read", path, make_error_code(std::errc::not_supported), "not a regular file");
}

[[noreturn]] void FailTooLarge(const std::filesystem::path& path, std::uintmax_t cap) {
    Fail("cannot read", path, make_error_code(std::errc::value_too_large),
         "larger than the limit of " + CapText(cap));
}

// The name to hand to the W functions. Past MAX_PATH the classic form fails on Windows unless
// long paths are enabled machine-wide, so a long name goes in the extended form "\\?\C:\..." or
// "\\?\UNC\server\share\...", which the system takes as it is: it must be absolute and use
// backslashes, which GetFullPathNameW provides (it has no length limit itself). Names short
// enough keep the classic form, so that device names and relative names behave as usual.
std::filesystem::path SystemName(const std::filesystem::path& path) {
    const std::wstring& name = path.native();
    // 12 characters to spare: a folder name must leave room for an 8.3 file name in it.
    if (name.size() < MAX_PATH - 12 || name.starts_with(LR"(\\?\)")) return path;
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    if (full.starts_with(LR"(\\.\)") || full.starts_with(LR"(\\?\)")) return full;
    if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    HANDLE get() const { return h_; }
    bool close() {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        const BOOL ok = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok != 0;
    }

private:
    HANDLE h_;
};

bool WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

// Another program holding the file open (a virus scanner, an indexer, an editor) is the common
// reason for these, and it lets go within moments.
bool MayPassSoon(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Whether the target can be deleted or renamed right now, that is, nobody holds it open without
// FILE_SHARE_DELETE. Returns 0 or the error that opening it for deletion gives.
DWORD CanReplace(const std::filesystem::path& target) {
    const HANDLE h =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(h);
    return 0;
}

// Puts the finished temporary file in the target's place, retrying for about two seconds, with
// growing pauses, while the target is held open by someone else. Returns 0 or the last error.
//
// A target that exists is replaced with ReplaceFileW: it gives the new file the old one's
// attributes, security descriptor, streams and creation time, and the swap happens in one step
// on the same volume. When it fails with ERROR_UNABLE_TO_REMOVE_REPLACED nothing has changed.
// With ERROR_UNABLE_TO_MOVE_REPLACEMENT (no backup name given) the target has been removed
// while the temporary file keeps its name; the next round then sees no target and moves the
// temporary file into place. A held target is waited for before ReplaceFileW is called at all:
// wine's ReplaceFileW leaves a file of its own ("rf*.tmp") behind each time it cannot move the
// target away.
// A target that does not exist yet is made with MoveFileExW, a rename within the folder: the
// file keeps the security it was created with in that folder, and MOVEFILE_WRITE_THROUGH
// returns only once the rename is on the disk. MOVEFILE_REPLACE_EXISTING covers a target that
// appears meanwhile.
DWORD MoveIntoPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
    constexpr DWORD kLimitMs = 2000;
    DWORD waited = 0;
    for (DWORD pause = 10;; pause *= 2) {
        DWORD error = 0;
        if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (!MoveFileExW(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                error = GetLastError();
            }
        } else if ((error = CanReplace(target)) == 0 &&
                   !ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            error = GetLastError();
        }
        if (error == 0) return 0;
        // A removed target is always followed by one more round, whatever the time.
        const bool targetGone = error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
        if (!targetGone && (!MayPassSoon(error) || waited >= kLimitMs)) return error;
        const DWORD nap = std::min(pause, kLimitMs - waited);
        Sleep(nap);
        waited += nap;
    }
}

}  // namespace

bool ProcessIsGone(long pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

// FindFirstFileExW rather than std::filesystem: the C runtime under the latter stops at
// MAX_PATH, and the folder comes here in the extended form when it is long.
std::vector<std::filesystem::path> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") names.emplace_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RemoveQuietly(const std::filesystem::path& file) { DeleteFileW(file.c_str()); }

// From the attributes the system keeps, which hold the time to 100 ns: the C runtime under
// std::filesystem gives whole seconds, and it stops at MAX_PATH.
FileStamp StampOf(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(SystemName(path).c_str(), GetFileExInfoStandard, &data)) return {};
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    // 100 ns ticks since 1601, counted here from 1970 so that nanoseconds fit in 64 bits.
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    const auto ticks = static_cast<std::int64_t>(
        join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime));
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.modified = std::filesystem::file_time_type(
        std::chrono::duration_cast<std::filesystem::file_time_type::duration>(
            std::chrono::nanoseconds((ticks - kTicksFrom1601To1970) * 100)));
    return stamp;
}

std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix,
                          std::uintmax_t cap) {
    const std::filesystem::path name = SystemName(path);
    Handle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file at all; say so rather than "access denied".
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            FailNotAFile(path, true);
        }
        Fail("cannot read", path, error);
    }
    // Checked on the handle, so that no swap after a check by name gets past: devices (NUL,
    // CON, COM1) and pipes are not files on disk.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) FailNotAFile(path, false);
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) Fail("cannot read", path, GetLastError());
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) FailNotAFile(path, true);
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > cap) FailTooLarge(path, cap);

    std::string text;
    text.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            Fail("cannot read", path, GetLastError());
        }
        if (n == 0) break;
        text.append(buffer, n);
        // A file that grows past the limit while it is read is refused as well.
        if (text.size() > cap) FailTooLarge(path, cap);
    }
    if (std::string_view(text).starts_with(dropPrefix)) text.erase(0, dropPrefix.size());
    return text;
}

void ReplaceWholeFile(const std::filesystem::path& path, const ByteSource& source) {
    const std::filesystem::path target = SystemName(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            Fail("cannot write", path, ERROR_ACCESS_DENIED, "a folder is in the file's place");
        }
        // ReplaceFileW would refuse it too, but only after the retries meant for busy files.
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            Fail("cannot write", path, ERROR_ACCESS_DENIED, "the file is read-only");
        }
    }

    const long pid = static_cast<long>(GetCurrentProcessId());
    RemoveStaleTempFiles(target, pid);
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    do {
        temp = TempFileFor(target, pid, counter++);
        h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    } while (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS);
    if (h == INVALID_HANDLE_VALUE) Fail("cannot write", path, GetLastError());
    Handle file(h);

    // Every failed step throws its system error, so that one place removes the temporary file.
    auto check = [](bool succeeded) {
        if (!succeeded) {
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
        }
    };
    try {
        source([&](std::string_view piece) { check(WriteAll(file.get(), piece)); });
        // The new bytes reach the disk before the name points at them, so that a power cut
        // cannot leave a target that names an empty or partial file.
        check(FlushFileBuffers(file.get()) != 0);
        check(file.close());
        // ReplaceFileW keeps these on Windows; wine's does not, so they are set here as well.
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
            if ((attributes & kKept) != 0) SetFileAttributesW(temp.c_str(), attributes & kKept);
        }
        const DWORD error = MoveIntoPlace(temp, target);
        if (error != 0) throw std::system_error(static_cast<int>(error), std::system_category());
    } catch (const std::system_error& error) {
        file.close();
        const DWORD code = static_cast<DWORD>(error.code().value());
        // Should the system have removed the old file and then failed to move the new one
        // into place, the temporary file is all that is left, and it stays.
        const bool targetLost = attributes != INVALID_FILE_ATTRIBUTES &&
                                GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
        if (targetLost)
            Fail("cannot write", path, code, "the new text is in " + Utf8FromPath(temp));
        DeleteFileW(temp.c_str());
        Fail("cannot write", path, code);
    } catch (...) {
        file.close();
        DeleteFileW(temp.c_str());
        throw;
    }
}

}  // namespace corvel::options

#endif  // _WIN32
