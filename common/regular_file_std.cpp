#include <algorithm>
#include <fstream>
#include <system_error>

#include "common/regular_file.h"

namespace quorbel {

// Where the file system has no FIFOs in it (Windows), a regular file found
// by its status is one that opens without waiting.
std::optional<FileHead> ReadFileHead(const std::filesystem::path& path, size_t limit) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  FileHead head;
  head.size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  constexpr size_t kChunk = 1 << 16;
  while (head.bytes.size() < limit && in) {
    const size_t before = head.bytes.size();
    head.bytes.resize(before + std::min(kChunk, limit - before));
    in.read(head.bytes.data() + before, static_cast<std::streamsize>(head.bytes.size() - before));
    head.bytes.resize(before + static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  head.whole = !in || in.peek() == std::ifstream::traits_type::eof();
  return head;
}

}  // namespace quorbel
