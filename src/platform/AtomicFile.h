#pragma once
// Writes a whole file so that a crash or a full disk never leaves it half-written: the
// bytes go to a temporary file in the same directory, are flushed to disk, and the
// temporary file is renamed over the old one.
#include <string>
#include <string_view>

namespace platform {

enum class AtomicWriteResult {
    Written,
    CannotCreate, // the temporary file could not be created; nothing was touched
};

// Throws EInOutError when a write, the flush or the rename fails; the old file is then
// still intact and the temporary file removed.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file. Returns false when it does not exist; throws EInOutError when it
// exists but cannot be read completely.
bool ReadWholeFile(const std::string& path, std::string& bytes);

bool FileExists(const std::string& path);

// The directory of a path, ending in "/" (empty for a bare name).
std::string DirectoryOf(const std::string& path);

} // namespace platform
