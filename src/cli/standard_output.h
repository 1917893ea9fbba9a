#pragma once
// Standard output as dorvak-cli writes it: buffered writes to a file
// descriptor that remember why a write failed, so that a full disk or a
// closed descriptor ends the command with its reason instead of a cut-off
// document and status 0.

#include <array>
#include <streambuf>

namespace dorvak {

class DescriptorOutput : public std::streambuf {
 public:
  // fd -1: the descriptor was closed when the program started; every write
  // fails as a write to a closed descriptor does.
  explicit DescriptorOutput(int fd);
  ~DescriptorOutput() override;
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  // The errno of the first write that failed; 0 while none did.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool flushBuffer();

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_{};
};

}  // namespace dorvak
