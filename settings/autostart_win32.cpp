#include "settings/autostart_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "common/ansi.h"

namespace quorbel {
namespace {

void AddShellFolder(int csidl, std::vector<Text>& folders) {
  std::string path(MAX_PATH, '\0');
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()) != S_OK) return;
  path.resize(std::strlen(path.c_str()));
  if (!path.empty()) folders.push_back(FromAnsi(path));
}

}  // namespace

std::vector<Text> AdminOnlyFolders() {
  std::vector<Text> folders;
  AddShellFolder(CSIDL_PROGRAM_FILES, folders);
  AddShellFolder(CSIDL_PROGRAM_FILESX86, folders);
  return folders;
}

}  // namespace quorbel
