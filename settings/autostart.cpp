#include "settings/autostart.h"

#include <algorithm>

namespace quorbel {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Upper case for the letters Windows' file names fold most often: ASCII and
// Latin-1. Other letters compare exactly, which only ever makes a path count
// as foreign.
char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7') return static_cast<char16_t>(c - 0x20);
  return IsSeparator(c) ? u'\\' : c;
}

bool SameText(TextView a, TextView b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

TextView WithoutTrailingSeparators(TextView path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

bool HasDotName(TextView path) {
  size_t begin = 0;
  while (begin <= path.size()) {
    const size_t end = std::min(path.find_first_of(u"\\/", begin), path.size());
    const TextView name = path.substr(begin, end - begin);
    if (name == u"." || name == u"..") return true;
    begin = end + 1;
  }
  return false;
}

// "C:" or "\\server\share" and nothing below it, or an empty folder.
bool IsRootOrEmpty(TextView folder) {
  if (folder.size() <= 2) return true;
  if (folder.substr(0, 2) != u"\\\\" && folder.substr(0, 2) != u"//") return false;
  const TextView rest = folder.substr(2);
  const size_t server_end = rest.find_first_of(u"\\/");
  return server_end == TextView::npos ||
         rest.find_first_of(u"\\/", server_end + 1) == TextView::npos;
}

bool LiesUnder(TextView path, TextView folder) {
  folder = WithoutTrailingSeparators(folder);
  if (IsRootOrEmpty(folder) || path.size() <= folder.size() + 1) return false;
  return SameText(path.substr(0, folder.size()), folder) && IsSeparator(path[folder.size()]);
}

TextView FileNameOf(TextView path) {
  const size_t separator = path.find_last_of(u"\\/");
  return separator == TextView::npos ? path : path.substr(separator + 1);
}

// The program of a command is its quoted first word; unquoted, the whole
// command (a path with blanks, as the entry once was stored) or its first
// word (a program with arguments).
bool StartsProgramNamed(TextView command, TextView file_name) {
  if (!command.empty() && command.front() == u'"') {
    const size_t close = command.find(u'"', 1);
    return close != TextView::npos && SameText(FileNameOf(command.substr(1, close - 1)), file_name);
  }
  return SameText(FileNameOf(command), file_name) ||
         SameText(FileNameOf(command.substr(0, command.find(u' '))), file_name);
}

}  // namespace

bool LiesUnderFolder(TextView path, const std::vector<Text>& folders) {
  if (HasDotName(path)) return false;
  return std::any_of(folders.begin(), folders.end(),
                     [path](const Text& folder) { return LiesUnder(path, folder); });
}

bool NamesExecutable(TextView command, TextView exe_path) {
  if (exe_path.empty()) return false;
  if (command.size() == exe_path.size() + 2 && command.front() == u'"' && command.back() == u'"') {
    command = command.substr(1, command.size() - 2);
  }
  return SameText(command, exe_path);
}

EntryOwner OwnerOfEntry(TextView command, TextView exe_path, TextView program_file_name) {
  if (NamesExecutable(command, exe_path)) return EntryOwner::ThisExecutable;
  if (!program_file_name.empty() && StartsProgramNamed(command, program_file_name)) {
    return EntryOwner::OtherCopy;
  }
  return EntryOwner::OtherProgram;
}

}  // namespace quorbel
