#pragma once
// Sets the process's umask for the life of the object.
#include <sys/stat.h>

namespace quorbel {

class Umask {
 public:
  explicit Umask(mode_t mask) : old_(::umask(mask)) {}
  Umask(const Umask&) = delete;
  Umask& operator=(const Umask&) = delete;
  ~Umask() { ::umask(old_); }

 private:
  mode_t old_;
};

}  // namespace quorbel
