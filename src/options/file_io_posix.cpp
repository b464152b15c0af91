// POSIX file I/O: whole-file reads and atomic replacement by write, fsync and rename.
#ifndef _WIN32

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

#include "file_io.h"
#include "temp_files.h"
#include "utf8_file.h"
#include "utf8_path.h"

namespace corvel::options {
namespace {

[[noreturn]] void Fail(std::string_view action, const std::filesystem::path& path, int error,
                       std::string_view detail = {}) {
    std::string message = std::string(action) + " \"" + Utf8FromPath(path) + "\": ";
    if (!detail.empty()) message += std::string(detail) + " (";
    message += std::system_category().message(error);
    if (!detail.empty()) message += ")";
    throw Utf8FileError(message, std::error_code(error, std::system_category()));
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, so that a failing close (delayed write errors) can be reported.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw std::system_error(errno, std::system_category());
        if (n == 0) throw std::system_error(EIO, std::system_category());
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

// The file a save must replace: a symbolic link is followed to the file it names, so that the
// link itself stays in place.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) Fail("cannot write", path, ec.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    Fail("cannot write", path, ELOOP);
}

// The folder's own entry is made durable too, or the rename could be lost in a crash.
void SyncFolder(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The new content is in place already; a file system that cannot sync folders is no reason
    // to report the save as failed.
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ProcessIsGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

std::vector<std::filesystem::path> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        names.push_back(it->path().filename());
    }
    return names;
}

void RemoveQuietly(const std::filesystem::path& file) { ::unlink(file.c_str()); }

std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix,
                          std::uintmax_t cap) {
    // Non-blocking, so that a FIFO put in the file's place is refused below instead of waiting
    // for a writer; reads of a regular file are not affected.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) Fail("cannot read", path, errno);
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) Fail("cannot read", path, errno);
    if (S_ISDIR(st.st_mode)) Fail("cannot read", path, EISDIR, "a folder, not a file");
    if (!S_ISREG(st.st_mode)) Fail("cannot read", path, ENOTSUP, "not a regular file");
    auto tooLarge = [&path, cap] {
        Fail("cannot read", path, EOVERFLOW, "larger than the limit of " + CapText(cap));
    };
    if (static_cast<std::uintmax_t>(st.st_size) > cap) tooLarge();
    // Read straight into the text: sized from the file with one byte to spare, so that the read
    // which finds the end needs no room, and grown only if the file grows meanwhile.
    std::string text(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t filled = 0;
    // The prefix is read on its own first, so that dropping it never moves the rest.
    bool prefixChecked = dropPrefix.empty();
    std::size_t dropped = 0;
    for (;;) {
        if (filled == text.size()) text.resize(std::max<std::size_t>(2 * filled, 65536));
        const std::size_t wanted =
            prefixChecked ? text.size() - filled : dropPrefix.size() - filled;
        const ssize_t n = ::read(file.get(), text.data() + filled, wanted);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("cannot read", path, errno);
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
        // A file that grows past the limit while it is read is refused as well.
        if (filled + dropped > cap) tooLarge();
        if (!prefixChecked && filled == dropPrefix.size()) {
            prefixChecked = true;
            if (std::string_view(text.data(), filled) == dropPrefix) dropped = filled, filled = 0;
        }
    }
    text.resize(filled);
    return text;
}

void ReplaceWholeFile(const std::filesystem::path& path, const ByteSource& source) {
    const std::filesystem::path target = FollowLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) Fail("cannot write", path, errno);
    if (exists) {
        // Without any write bit the file is read-only, for root as well: a rename would
        // otherwise replace it regardless.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            Fail("cannot write", path, EACCES, "the file is read-only");
        }
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            Fail("cannot write", path, errno);
        }
    }

    const long pid = static_cast<long>(::getpid());
    RemoveStaleTempFiles(target, pid);

    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp;
    int fd = -1;
    do {
        temp = TempFileFor(target, pid, counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) Fail("cannot write", path, errno);
    Descriptor file(fd);

    try {
        if (exists) {
            // Keep owner, group and permission bits of the file being replaced. The owner can only
            // be kept by a privileged process; anyone else becomes the owner, as with any new file.
            (void)::fchown(file.get(), old.st_uid, old.st_gid);
            if (::fchmod(file.get(), old.st_mode & 07777) != 0) {
                throw std::system_error(errno, std::system_category());
            }
        }
        source([&file](std::string_view piece) { WriteAll(file.get(), piece); });
        if (::fsync(file.get()) != 0 || file.close() != 0) {
            throw std::system_error(errno, std::system_category());
        }
        if (::rename(temp.c_str(), target.c_str()) != 0) {
            throw std::system_error(errno, std::system_category());
        }
    } catch (const std::system_error& error) {
        ::unlink(temp.c_str());
        Fail("cannot write", path, error.code().value());
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(target);
}

}  // namespace corvel::options

#endif  // !_WIN32
