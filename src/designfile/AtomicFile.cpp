#include "designfile/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/Errors.h"

namespace tlrx {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void SystemFailure(int error) {
    Raise(error != 0 ? std::strerror(error) : "Device I/O error");
}

// Removes the temporary file on every way out but the rename.
class TempFile {
public:
    explicit TempFile(const fs::path& folder, const std::string& title) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = folder / ("." + title + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp");
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) break;
        }
        if (fd_ < 0) SystemFailure(errno);
    }
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                SystemFailure(errno);
            }
            if (n == 0) SystemFailure(0);
            bytes.remove_prefix(static_cast<size_t>(n));
        }
    }
    // Flushes, closes and renames over target.
    void Commit(const fs::path& target, const struct stat* old) {
        // A file that is replaced keeps its permissions.
        if (old) ::fchmod(fd_, old->st_mode & 07777);
        if (::fsync(fd_) != 0) SystemFailure(errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) SystemFailure(errno);
        if (::rename(path_.c_str(), target.c_str()) != 0) SystemFailure(errno);
        renamed_ = true;
    }

private:
    fs::path path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) SystemFailure(ENOENT);
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path real = fs::weakly_canonical(target, ec);
        if (!ec) target = real;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) SystemFailure(EISDIR);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    TempFile temp(folder, target.filename().string());
    temp.Write(bytes);
    temp.Commit(target, exists ? &old : nullptr);
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace tlrx
