// kernel32: a POSIX descriptor that closes itself, through the replaceable call table.
#ifndef OXBYTE_WIN32_KERNEL32_DESCRIPTOR_H
#define OXBYTE_WIN32_KERNEL32_DESCRIPTOR_H

#include <utility>

#include "kernel32/posix.h"

namespace win32 {

class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { reset(); }
  Descriptor(Descriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor &operator=(Descriptor &&other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }
  void reset() {
    if (fd_ >= 0) posix::calls().close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

}  // namespace win32

#endif
