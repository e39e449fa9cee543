#pragma once

#include <array>
#include <streambuf>

namespace numora::calc {

// A stream buffer that writes to a file descriptor and keeps the system's error number of the
// first write that failed, so that output lost to a full disk or a closed pipe is seen. After
// a failure it writes nothing more and the stream reports the failure.
class DescriptorOutput : public std::streambuf {
 public:
  explicit DescriptorOutput(int descriptor);
  ~DescriptorOutput() override;
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  // The error number of the failed write, 0 while every write succeeded.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type character) override;
  int sync() override;

 private:
  // Writes out what the buffer holds and empties it; gives whether that worked.
  bool writeBuffer();

  int descriptor_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_{};
};

}  // namespace numora::calc
