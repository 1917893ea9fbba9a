#pragma once
// Saving without risk to the file that was there before: the bytes go to a
// temporary file beside the target, which replaces the target only once it
// is completely written.

#include <string>
#include <string_view>

namespace dorvak {

// Throws DorvakError("File PATH cannot be written: reason") on failure; the
// old file is then untouched and no temporary file is left.
void writeFileSafely(const std::string& path, std::string_view bytes);

// Reads a whole file; throws FileAccessError("File PATH: Access denied!") when it
// cannot be opened or read, and FileAccessError("File PATH is too large") when it
// holds more than maxSize bytes.
std::string readWholeFile(const std::string& path, std::size_t maxSize);

}  // namespace dorvak
