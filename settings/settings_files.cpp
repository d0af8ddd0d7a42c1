#include "settings/settings_files.h"

#include "settings/text_lines.h"

namespace quorbel {
namespace {

class Disk : public FileSource {
 public:
  std::optional<FileHead> Read(const std::filesystem::path& path, size_t limit) override {
    return ReadFileHead(path, limit);
  }
};

SharedFile ReadFrom(FileSource& source, const std::filesystem::path& path) {
  auto file = source.Read(path, kSettingsFileBound);
  return file ? std::make_shared<const FileHead>(std::move(*file)) : nullptr;
}

}  // namespace

FileSource& DiskFiles() {
  static Disk disk;
  return disk;
}

SharedFile SettingsFiles::Read(const std::filesystem::path& path) {
  if (depth_ == 0) return ReadFrom(source_, path);
  const auto cached = cache_.find(path);
  if (cached != cache_.end()) return cached->second;
  return cache_.emplace(path, ReadFrom(source_, path)).first->second;
}

SharedFile SettingsFiles::ReadCurrent(const std::filesystem::path& path) {
  Forget(path);
  return ReadFrom(source_, path);
}

void SettingsFiles::EndOperation() {
  if (depth_ > 0 && --depth_ == 0) cache_.clear();
}

std::string_view ReadableText(const FileHead& file) {
  return file.whole ? std::string_view(file.bytes) : CompleteLines(file.bytes);
}

}  // namespace quorbel
