#include "dialog/dialog_file_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <array>
#include <cstring>

#include "common/ansi.h"
#include "common/handles_win32.h"
#include "dialog/dialog_file.h"

namespace quorbel {

namespace {

// The one dialog that can be open at a time, shared with its hook.
struct FileDialogState {
  HWND dialog_window = nullptr;
  int16_t open_mode = 1;
  int32_t view_command = 0;
  Text filter_text;
  Text chosen_pattern;  // kept from the last dialog
  Text last_path;       // kept for the life of the process
};
FileDialogState state;

using AnsiBuffer = std::array<char, kFileBufferChars>;

Text AskDialogText(UINT message) {
  AnsiBuffer buffer{};
  SendMessageA(state.dialog_window, message, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return CutAtNul(FromAnsi(std::string_view(buffer.data(), buffer.size())));
}

void SetFileNameBox(const Text& text) {
  const std::string ansi = ToAnsi(text);
  SendMessageA(state.dialog_window, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(ansi.c_str()));
}

Text SelectedFilterPattern() {
  const auto selection =
      static_cast<int>(SendMessageA(GetDlgItem(state.dialog_window, cmb1), CB_GETCURSEL, 0, 0));
  return FilterPatternAt(state.filter_text, selection);
}

bool SamePathIgnoringCase(const Text& a, const Text& b) {
  return lstrcmpiA(ToAnsi(a).c_str(), ToAnsi(b).c_str()) == 0;
}

// The name of the selected list item when the selection left the dialog's
// file path as it was (a folder), otherwise "".
Text SelectedItemText() {
  const Text path = AskDialogText(CDM_GETFILEPATH);
  if (!SamePathIgnoringCase(path, state.last_path)) {
    state.last_path = path;
    return {};
  }
  const HWND list = GetDlgItem(GetDlgItem(state.dialog_window, lst2), 1);
  if (!list) return {};
  const auto item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (item == -1) return {};
  AnsiBuffer buffer{};
  LVITEMA request{};
  request.pszText = buffer.data();
  request.cchTextMax = static_cast<int>(buffer.size());
  const auto length = static_cast<size_t>(
      SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&request)));
  // A one-character name is not taken.
  Text text = length > 1 ? FromAnsi(std::string_view(buffer.data(), std::min(length, buffer.size())))
                         : Text();
  state.last_path = text;
  return text;
}

void OnFolderChange(HWND hook_window) {
  const HWND file_list = FindWindowExA(GetParent(hook_window), nullptr, "SHELLDLL_DefView", nullptr);
  if (file_list) SendMessageA(file_list, WM_COMMAND, static_cast<WPARAM>(state.view_command), 0);
  SetFileNameBox({});
}

void OnTypeChange() {
  if (state.open_mode != 0) return;
  const Text name = CutExtensionForNewType(AskDialogText(CDM_GETSPEC));
  state.chosen_pattern = SelectedFilterPattern();
  const Text extension = DefaultExtension(state.chosen_pattern);
  if (!extension.empty()) {
    const std::string ansi = ToAnsi(extension);
    SendMessageA(state.dialog_window, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
  }
  SetFileNameBox(name);
}

void OnNotify(HWND hook_window, LPARAM lparam) {
  NMHDR header{};
  std::memcpy(&header, reinterpret_cast<const void*>(lparam), sizeof header);
  switch (header.code) {
    case CDN_INITDONE:
      state.dialog_window = GetParent(hook_window);
      break;
    case CDN_SELCHANGE:
      if (const Text text = SelectedItemText(); !text.empty()) SetFileNameBox(text);
      break;
    case CDN_FOLDERCHANGE:
      OnFolderChange(hook_window);
      break;
    case CDN_TYPECHANGE:
      OnTypeChange();
      break;
    default:
      break;
  }
}

UINT_PTR CALLBACK FileDialogHook(HWND window, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_DESTROY) state.chosen_pattern = SelectedFilterPattern();
  if (message == WM_NOTIFY) OnNotify(window, lparam);
  return 0;
}

using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEA);

// The common dialogs' library is loaded at the first file dialog and then
// kept: it brings the print spooler and the printing system's client
// libraries with it, more than a megabyte that only Browse needs.
FileDialogCall FileDialogFunction(int16_t open_mode) {
  static const unique_hmodule library(LoadLibraryA("comdlg32.dll"));
  if (!library) return nullptr;
  const FARPROC found =
      GetProcAddress(library.get(), open_mode != 0 ? "GetOpenFileNameA" : "GetSaveFileNameA");
  return reinterpret_cast<FileDialogCall>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

Text ShowFileDialog(void* owner, const Text& file_name, Text& filter, int32_t& filter_index,
                    const Text& title, int16_t open_mode, int32_t view_command) {
  state.dialog_window = nullptr;
  state.open_mode = open_mode;
  state.view_command = view_command;
  filter = ConvertFilter(filter);
  state.filter_text = filter;
  // The buffer must keep a NUL after the name; a longer one starts empty.
  const Text initial_name = file_name.size() < kFileBufferChars ? file_name : Text();
  if (!initial_name.empty() && filter_index == 0) filter_index = FilterIndexForName(filter, initial_name);

  const std::string filter_ansi = ToAnsi(filter);
  // The name NUL-filled to 260 bytes, with a NUL kept at the end whatever
  // the code page made of it.
  std::string file_buffer = ToAnsi(initial_name);
  file_buffer.resize(kFileBufferChars, '\0');
  file_buffer.back() = '\0';
  const std::string title_ansi = ToAnsi(title);

  OPENFILENAMEA record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = static_cast<HWND>(owner);
  record.hInstance = GetModuleHandleA(nullptr);
  record.lpstrFilter = filter_ansi.c_str();
  record.nFilterIndex = static_cast<DWORD>(filter_index);
  record.lpstrFile = file_buffer.data();
  record.nMaxFile = static_cast<DWORD>(kFileBufferChars);
  record.lpstrTitle = title_ansi.c_str();
  record.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY |
                 (open_mode != 0 ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
  record.lpfnHook = FileDialogHook;

  const FileDialogCall show = FileDialogFunction(open_mode);
  if (!show || !show(&record)) return {};
  const Text path = CutAtNul(FromAnsi(file_buffer));
  return WithChosenExtension(path, state.chosen_pattern, record.nFileExtension != 0);
}

}  // namespace quorbel
