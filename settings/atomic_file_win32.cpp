#include <windows.h>

#include "common/ansi.h"
#include "common/handles_win32.h"
#include "settings/atomic_file_platform.h"

namespace quorbel {
namespace fs = std::filesystem;
namespace {

std::string AnsiPath(const fs::path& path) { return ToAnsi(path.u16string()); }

// The attributes a user gives Config.ini that a new file must keep. Read-only
// is not among them: such a file is never replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool WriteNewFileDurably(const fs::path& path, std::string_view bytes) {
  const std::string name = AnsiPath(path);
  const HANDLE created = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return false;
  unique_handle file(created);
  if (WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
      CloseHandle(file.release())) {
    return true;
  }
  file.reset();
  DeleteFileA(name.c_str());
  return false;
}

// The user's profile already keeps its folders from other users.
void CreatePrivateDirectory(const fs::path& path) { CreateDirectoryA(AnsiPath(path).c_str(), nullptr); }

bool CopyFileAttributes(const fs::path& from, const fs::path& to) {
  const DWORD attributes = GetFileAttributesA(AnsiPath(from).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD kept = attributes & kKeptAttributes;
  return SetFileAttributesA(AnsiPath(to).c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool RenameDurably(const fs::path& from, const fs::path& to) {
  return MoveFileExA(AnsiPath(from).c_str(), AnsiPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace quorbel
