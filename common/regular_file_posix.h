#pragma once
// Opens a file the program only reads, without waiting on whatever stands in
// its place: a FIFO would wait for a writer, a terminal could become the
// program's own, a device would never end.
#include <filesystem>

#include "common/unique_fd.h"

namespace quorbel {

// The regular file at `path` opened for reading (a symbolic link is
// followed); an empty descriptor when no regular file is there.
unique_fd OpenRegularFile(const std::filesystem::path& path);

}  // namespace quorbel
