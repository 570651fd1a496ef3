#pragma once
// Writing a whole file so that it is either replaced completely or left as it was: the bytes go
// to a temporary file beside it, which is flushed to the disk and then renamed over the target.
// Every save of the program goes through here. A symbolic link is followed to the file it
// names, which is what gets replaced (the link stays); a replaced file keeps its mode; a file
// the user may not write, or that has no write permission at all (made read-only to keep it,
// which holds for the superuser too), is a write error and stays as it was; a device or FIFO is
// written into directly, never replaced.
#include <cstdint>
#include <string>
#include <string_view>

namespace kelmaz {

// No record comes near this; a larger file, or a larger download of one, is refused rather
// than read into memory.
inline constexpr std::int64_t kMaxRecordFileBytes = 32 * 1024 * 1024;

// False when anything fails; the old file (if any) is then untouched and no temporary file
// remains. A FIFO without a reader fails at once.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// The whole content of a regular file; false when it cannot be opened or read, or is far too
// large to be a record.
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace kelmaz
