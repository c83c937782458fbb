#pragma once
// Replacing a file all at once. The new contents go to a temporary file of a
// unique name in the same folder; Commit flushes it to the disk and renames
// it over the old file only when it is complete. Until then, and when
// anything fails, the old file stays as it was, and Discard (or the end of
// the object) removes the temporary file, so that nothing is left behind but
// after a kill.
//  - A path that is a symbolic link writes the file the link points to; the
//    link stays.
//  - The new file keeps the old one's permissions (and, where the system
//    allows it, its owner and group).
//  - A folder, a device or any other file that is not a regular file is
//    never replaced, and neither is a file its permissions do not let the
//    user write (read-only, or another owner's): these count as read-only
//    for every user, the superuser too. Nor is a file the system does not
//    let the user write.
// Failures are given as the system's description ("Permission denied",
// "Read-only file system", "No space left on device").

#include <sys/types.h>

#include <string>
#include <string_view>

namespace tlrx {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile() { Discard(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file that will replace path. False, with
    // Error() set and nothing created, when the file cannot be replaced.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }

    // The file that Commit replaces (a link's target) and the temporary
    // file; both empty when not open.
    const std::string& Target() const { return target_; }
    const std::string& TempPath() const { return temp_; }

    // Writes bytes at the temporary file's current position.
    bool Write(std::string_view bytes);
    // Fills the temporary file with the contents of the file it replaces
    // (none when that does not exist yet), for output that goes on after them.
    bool CopyTarget();

    // Flushes the temporary file to the disk and renames it over the target;
    // the target's permissions are checked again first. False, with Error()
    // set, the old file unchanged and the temporary file removed, on failure.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    // The description of the last failure.
    const std::string& Error() const { return error_; }

private:
    bool Fail(int error);

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    std::string error_;
};

// Writes bytes as the file at path, replacing any file there under the rules
// above. Returns the empty text, or the description of the failure.
std::string WriteFileReplacing(const std::string& path, std::string_view bytes);

// Why the file at path cannot be replaced ("Permission denied", "Is a
// directory", "Not a regular file", "Read-only file system"); empty when it
// can. Changes nothing.
std::string ReplaceProblem(const std::string& path);

// Whether the user may make files in folder, by its permissions as above.
bool UserMayWriteIn(const std::string& folder);

// The system's verdict on whether the user may write the file or folder at
// path: 0, or the errno that says why not. access(2) by default; a test puts
// in a verdict of its own for what it cannot make, such as a read-only file
// system. nullptr puts the system's back.
using WriteAccessCheck = int (*)(const char* path);
void SetWriteAccessCheck(WriteAccessCheck check);

// True when a and b name one file on disk (through links, hard links or a
// linked folder); false when either does not exist.
bool SameFileOnDisk(const std::string& a, const std::string& b);

}  // namespace tlrx
