#include "settings/atomic_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace quorbel {
namespace fs = std::filesystem;

fs::path PathFromText(TextView path) { return fs::path(Text(path)); }

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool IsMissingFile(const fs::path& path) {
  std::error_code error;
  return fs::status(path, error).type() == fs::file_type::not_found;
}

namespace {

// A rename would replace even a read-only file where the directory is
// writable, so the file's own permission decides. Opening it for appending
// asks the system as well, and writes nothing.
bool MayOverwrite(const fs::path& path) {
  if (IsMissingFile(path)) return true;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() != fs::file_type::regular) return false;
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
  std::ofstream probe(path, std::ios::binary | std::ios::app);
  return static_cast<bool>(probe);
}

bool WriteNewFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace

bool ReplaceWholeFile(const fs::path& path, std::string_view bytes) {
  std::error_code error;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
  if (!MayOverwrite(path)) return false;
  fs::path temporary = path;
  temporary += ".new";
  if (!WriteNewFile(temporary, bytes)) {
    fs::remove(temporary, error);
    return false;
  }
  // The new file keeps who may read and write the old one.
  const fs::file_status old_status = fs::status(path, error);
  if (old_status.type() == fs::file_type::regular) {
    fs::permissions(temporary, old_status.permissions(), error);
  }
  fs::rename(temporary, path, error);
  if (!error) return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace quorbel
