#pragma once
// How the settings files (Config.ini, settings.reg, the autostart entry) are
// read: never more than kSettingsFileBound bytes of one, and during one
// operation (a reload of the panel, the settings dialog's load, the tray
// menu's texts) each file once, however many keys the operation reads.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "common/regular_file.h"

namespace quorbel {

// The most of a settings file that is read. The shipped Config.ini is 4 KB
// and settings.reg a few hundred bytes; a file past 1 MiB was not written
// by a person or by this program, and reading it per operation must not
// cost time or memory. Of such a file the complete lines before the bound
// are read, and it is never written: a write would have to drop what lies
// beyond the bound, or copy all of it at every change.
inline constexpr size_t kSettingsFileBound = size_t{1} << 20;

// Where the bytes come from: the disk, or a test's counting stand-in.
class FileSource {
 public:
  virtual ~FileSource() = default;
  virtual std::optional<FileHead> Read(const std::filesystem::path& path, size_t limit) = 0;
};

// The disk, through ReadFileHead.
FileSource& DiskFiles();

// A file as read; null when it is missing or cannot be read.
using SharedFile = std::shared_ptr<const FileHead>;

class SettingsFiles {
 public:
  explicit SettingsFiles(FileSource& source = DiskFiles()) : source_(source) {}
  SettingsFiles(const SettingsFiles&) = delete;
  SettingsFiles& operator=(const SettingsFiles&) = delete;

  // The file within the bound, for reading values: inside an operation the
  // bytes its first read found.
  SharedFile Read(const std::filesystem::path& path);
  // The file as it is now, for a change to it; another program's change
  // made since the operation began must not be lost.
  SharedFile ReadCurrent(const std::filesystem::path& path);
  // After a write: the operation's next read finds what the write left.
  void Forget(const std::filesystem::path& path) { cache_.erase(path); }

  // Operations nest; the outermost one's end forgets every file.
  void BeginOperation() { ++depth_; }
  void EndOperation();

 private:
  FileSource& source_;
  int depth_ = 0;
  std::map<std::filesystem::path, SharedFile> cache_;
};

// The text a reader takes from a file read within the bound: the whole file,
// or, from one that goes on past the bound, its complete lines.
std::string_view ReadableText(const FileHead& file);

}  // namespace quorbel
