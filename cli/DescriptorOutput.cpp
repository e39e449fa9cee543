#include "DescriptorOutput.h"

#include <unistd.h>

#include <cerrno>

namespace numora::calc {

DescriptorOutput::DescriptorOutput(int descriptor) : descriptor_(descriptor) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() { writeBuffer(); }

DescriptorOutput::int_type DescriptorOutput::overflow(int_type character) {
  if (!writeBuffer()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(character, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(character);
    pbump(1);
  }
  return traits_type::not_eof(character);
}

int DescriptorOutput::sync() { return writeBuffer() ? 0 : -1; }

bool DescriptorOutput::writeBuffer() {
  if (error_ != 0) {
    return false;
  }
  const char* next = pbase();
  while (next < pptr()) {
    const ssize_t written = ::write(descriptor_, next, static_cast<std::size_t>(pptr() - next));
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      error_ = errno;
      return false;
    }
    next += written;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return true;
}

}  // namespace numora::calc
