#pragma once
// Replacing a file all at once: the new contents go to a temporary file in
// the same folder, which is flushed to the disk and renamed over the old file
// only when it is complete. A full disk, a write error or a kill at any
// moment leaves the old file as it was (and no temporary file behind, but
// after a kill).

#include <string>
#include <string_view>

namespace tlrx {

// Writes bytes as the file at path, replacing any file there. A path that is
// a symbolic link replaces the file it points to. Raises RuntimeError with
// the system's description of the failure ("No space left on device").
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tlrx
