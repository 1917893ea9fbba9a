#include "cli/standard_output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dorvak {

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd) {
  if (fd_ < 0) error_ = EBADF;
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() { flushBuffer(); }

bool DescriptorOutput::flushBuffer() {
  const char* p = pbase();
  std::size_t left = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  if (error_ != 0) return false;
  while (left > 0) {
    ssize_t n = ::write(fd_, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
  if (!flushBuffer()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize DescriptorOutput::xsputn(const char* s, std::streamsize n) {
  std::streamsize done = 0;
  while (done < n) {
    if (pptr() == epptr() && !flushBuffer()) return done;
    std::streamsize room = epptr() - pptr();
    std::streamsize take = std::min(room, n - done);
    std::memcpy(pptr(), s + done, static_cast<std::size_t>(take));
    pbump(static_cast<int>(take));
    done += take;
  }
  return done;
}

int DescriptorOutput::sync() { return flushBuffer() ? 0 : -1; }

}  // namespace dorvak
