#include "settings/atomic_file.h"

#include <chrono>
#include <fstream>
#include <string>
#include <system_error>

#include "settings/atomic_file_platform.h"

namespace quorbel {
namespace fs = std::filesystem;

fs::path PathFromText(TextView path) { return fs::path(Text(path)); }

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

// A name beside `path` that no user file has: the file's own name, this
// program's mark, the process, the time and a count. The file is created
// only where nothing has that name yet.
fs::path TemporaryPathFor(const fs::path& path) {
  static unsigned counter = 0;
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  fs::path temporary = path;
  temporary += ".quorbel-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(now) + "-" +
               std::to_string(++counter) + ".tmp";
  return temporary;
}

// As many links in a row as the system itself follows.
constexpr int kMaxLinkHops = 40;

// A symbolic link at the path is the user's way of keeping the file
// elsewhere: the file it finally names is the one replaced, and the link
// stays. Nothing when the links go round in a circle.
std::optional<fs::path> FinalTarget(fs::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

}  // namespace

void CreatePrivateDirectories(const fs::path& directory) {
  std::error_code error;
  if (directory.empty() || fs::exists(directory, error) || directory == directory.parent_path()) return;
  CreatePrivateDirectories(directory.parent_path());
  CreatePrivateDirectory(directory);
}

bool ReplaceWholeFile(const fs::path& link_or_path, std::string_view bytes) {
  // A relative path would name a file wherever the process happens to be.
  if (!link_or_path.is_absolute() || !link_or_path.has_filename()) return false;
  const std::optional<fs::path> target = FinalTarget(link_or_path);
  if (!target) return false;
  const fs::path& path = *target;
  std::error_code error;
  CreatePrivateDirectories(path.parent_path());
  if (!MayOverwrite(path)) return false;
  // The data reaches the disk before the rename does: after a power cut the
  // file is either the old one or the new one, never an empty one.
  const fs::path temporary = TemporaryPathFor(path);
  if (!WriteNewFileDurably(temporary, bytes)) return false;
  const bool kept = IsMissingFile(path) || CopyFileAttributes(path, temporary);
  if (kept && RenameDurably(temporary, path)) return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace quorbel
