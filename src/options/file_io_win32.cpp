// Windows file I/O: whole-file reads and atomic replacement through ReplaceFileW/MoveFileExW.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <system_error>

#include "file_io.h"
#include "temp_files.h"
#include "utf8_file.h"

namespace corvel::options {
namespace {

[[noreturn]] void Fail(std::string_view action, const std::filesystem::path& path, DWORD error) {
    const std::error_code code(static_cast<int>(error), std::system_category());
    throw Utf8FileError(std::string(action) + " \"" + path.string() + "\": " + code.message(),
                        code);
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

}  // namespace

bool ProcessIsGone(long pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix) {
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) Fail("cannot read", path, GetLastError());
    std::string text;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            Fail("cannot read", path, GetLastError());
        }
        if (n == 0) break;
        text.append(buffer, n);
    }
    if (std::string_view(text).starts_with(dropPrefix)) text.erase(0, dropPrefix.size());
    return text;
}

void ReplaceWholeFile(const std::filesystem::path& path, const ByteSource& source) {
    // ReplaceFileW keeps the target's attributes and security; a link is replaced as a file.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        Fail("cannot write", path, ERROR_ACCESS_DENIED);

    const long pid = static_cast<long>(GetCurrentProcessId());
    RemoveStaleTempFiles(path, pid);
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    do {
        temp = TempFileFor(path, pid, counter++);
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
        check(FlushFileBuffers(file.get()) != 0);
        check(file.close());
        check(exists ? ReplaceFileW(path.c_str(), temp.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                     : MoveFileExW(temp.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
    } catch (const std::system_error& error) {
        file.close();
        DeleteFileW(temp.c_str());
        Fail("cannot write", path, static_cast<DWORD>(error.code().value()));
    } catch (...) {
        file.close();
        DeleteFileW(temp.c_str());
        throw;
    }
}

}  // namespace corvel::options

#endif  // _WIN32
