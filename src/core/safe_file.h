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

namespace detail {
// How the temporary file of a replacing save is made: unnamed where the file
// system allows it, else under a short name of its own in the same folder.
// Tests choose the second way; writeFileSafely falls back to it by itself.
enum class TemporaryFile { Unnamed, Named };
void writeFileSafely(const std::string& path, std::string_view bytes, TemporaryFile kind);
}  // namespace detail

// Reads a whole file; throws FileAccessError("File PATH: Access denied!") when it
// cannot be opened or read, and FileAccessError("File PATH is too large") when it
// holds more than maxSize bytes.
std::string readWholeFile(const std::string& path, std::size_t maxSize);

}  // namespace dorvak
