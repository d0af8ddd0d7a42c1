#pragma once
// A POSIX file descriptor that closes itself.
#include <unistd.h>

#include "common/unique_handle.h"

namespace quorbel {

struct DescriptorCloser {
  void operator()(int fd) const { ::close(fd); }
};
using unique_fd = UniqueHandle<int, DescriptorCloser, -1>;

}  // namespace quorbel
