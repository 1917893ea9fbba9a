#pragma once
// The one error type of the core. Its message is the text the user sees
// ("Check sum error", "Table address overflow", ...), so callers show what()
// as it stands.

#include <stdexcept>
#include <string>

namespace dorvak {

class DorvakError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened or read at all: nothing was read from it.
class FileAccessError : public DorvakError {
 public:
  using DorvakError::DorvakError;
};

}  // namespace dorvak
