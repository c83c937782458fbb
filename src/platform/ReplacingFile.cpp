#include "platform/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tlrx {

namespace {

namespace fs = std::filesystem;

constexpr const char* kNotRegular = "Not a regular file";

std::string Description(int error) { return error != 0 ? std::strerror(error) : "Device I/O error"; }

// The file a path finally names: links followed one by one, so that a link
// to a missing file still names the file to create.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hop) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

int SystemWriteAccess(const char* path) {
    if (::access(path, W_OK) == 0) return 0;
    return errno != 0 ? errno : EACCES;
}

WriteAccessCheck g_writeAccess = SystemWriteAccess;

// Why the user may not write a file: 0 when the permissions let the user
// write it (the owner's, the group's or the others' write bit, whichever
// class the user is in) and so does the system; else EACCES for the
// permissions, or the system's own reason (a read-only file system).
int WriteDenial(const std::string& path, const struct stat& st) {
    const uid_t uid = ::geteuid();
    mode_t bit = S_IWOTH;
    if (st.st_uid == uid) bit = S_IWUSR;
    else if (st.st_gid == ::getegid()) bit = S_IWGRP;
    if ((st.st_mode & bit) == 0) return EACCES;
    return g_writeAccess(path.c_str());
}

// Why an existing file may not be replaced; empty when it may.
std::string RefusalOf(const std::string& path, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return Description(EISDIR);
    if (!S_ISREG(st.st_mode)) return kNotRegular;
    if (const int denial = WriteDenial(path, st); denial != 0) return Description(denial);
    return {};
}

bool WriteAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool ReplacingFile::Fail(int error) {
    error_ = Description(error);
    return false;
}

bool ReplacingFile::Open(const std::string& path) {
    Discard();
    error_.clear();
    if (path.empty()) return Fail(ENOENT);
    const fs::path target = FollowLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (std::string refusal = RefusalOf(target.string(), st); !refusal.empty()) {
            error_ = std::move(refusal);
            return false;
        }
    } else if (errno != ENOENT) {
        return Fail(errno);
    }

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // A short name of its own, so that a name at the length limit still
    // leaves room for it; the mode is the one a new file gets.
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temp =
            folder / (".tlrx-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp");
        const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temp_ = temp.string();
            target_ = target.string();
            return true;
        }
        if (errno != EEXIST) break;
    }
    return Fail(errno);
}

bool ReplacingFile::Write(std::string_view bytes) {
    if (fd_ < 0) return Fail(EBADF);
    int error = 0;
    return WriteAll(fd_, bytes, error) || Fail(error);
}

bool ReplacingFile::CopyTarget() {
    if (fd_ < 0) return Fail(EBADF);
    const int in = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno == ENOENT || Fail(errno);
    char block[1 << 16];
    int error = 0;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            ok = false;
        }
        if (n <= 0) break;
        if (!WriteAll(fd_, {block, static_cast<size_t>(n)}, error)) {
            ok = false;
            break;
        }
    }
    ::close(in);
    return ok || Fail(error);
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return Fail(EBADF);
    // The old file may have changed since the temporary file was made.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        if (std::string refusal = RefusalOf(target_, old); !refusal.empty()) {
            Discard();
            error_ = std::move(refusal);
            return false;
        }
        // A file that is replaced keeps its permissions, and its owner where
        // the system lets the user give it.
        ::fchmod(fd_, old.st_mode & 07777);
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) == 0) ::fchmod(fd_, old.st_mode & 07777);
        }
    }
    int error = 0;
    if (::fsync(fd_) != 0) error = errno;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error = errno;
    if (error != 0) {
        Discard();
        return Fail(error);
    }
    // The rename itself reaches the disk with the folder.
    fs::path folder = fs::path(target_).parent_path();
    if (folder.empty()) folder = ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    temp_.clear();
    target_.clear();
    return true;
}

void ReplacingFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    target_.clear();
}

std::string WriteFileReplacing(const std::string& path, std::string_view bytes) {
    ReplacingFile file;
    if (!file.Open(path) || !file.Write(bytes) || !file.Commit()) return file.Error();
    return {};
}

std::string ReplaceProblem(const std::string& path) {
    if (path.empty()) return Description(ENOENT);
    const fs::path target = FollowLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return RefusalOf(target.string(), st);
    if (errno != ENOENT) return Description(errno);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0) return Description(errno);
    if (!S_ISDIR(dir.st_mode)) return Description(ENOTDIR);
    if (const int denial = WriteDenial(folder.string(), dir); denial != 0) return Description(denial);
    return {};
}

bool UserMayWriteIn(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && WriteDenial(folder, st) == 0;
}

void SetWriteAccessCheck(WriteAccessCheck check) { g_writeAccess = check ? check : SystemWriteAccess; }

bool SameFileOnDisk(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace tlrx
