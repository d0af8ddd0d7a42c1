// The contract suite's driver for the Win32 dialog: the real dialog window
// under Wine, driven through its control handles and the messages a user's
// keys and clicks would bring, each passed through the dialog's keyboard
// handling as the program's message loop passes it.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "common/accessible_win32.h"
#include "common/ansi.h"
#include "common/handles_win32.h"
#include "dialog/form3_win32.h"
#include "dialog/tests/form3_driver.h"
#include "panel/gdiplus_session_win32.h"

namespace quorbel {
namespace {

// The file dialog's file name box (explorer style) and its older edit box.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;
constexpr UINT kAnswerPeriodMs = 10;
constexpr DWORD kTimerWaitMs = 1000;

Text WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string bytes(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(window, bytes.data(), length + 1);
  bytes.resize(std::strlen(bytes.c_str()));
  return FromAnsi(bytes);
}

bool HasClass(HWND window, const char* name) {
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  return std::strcmp(class_name, name) == 0;
}

UINT VirtualKey(Form3Key key) {
  switch (key) {
    case Form3Key::Tab: return VK_TAB;
    case Form3Key::Home: return VK_HOME;
    case Form3Key::End: return VK_END;
    case Form3Key::Delete: return VK_DELETE;
    case Form3Key::Backspace: return VK_BACK;
    case Form3Key::Return: return VK_RETURN;
    case Form3Key::Escape: return VK_ESCAPE;
    case Form3Key::Left: return VK_LEFT;
    case Form3Key::Right: return VK_RIGHT;
  }
  return 0;
}

struct UnknownReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using unique_accessible = std::unique_ptr<IAccessible, UnknownReleaser>;

// The window's client object, as a screen reader asks for it.
unique_accessible AccessibleOf(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    return nullptr;
  }
  return unique_accessible(accessible);
}

VARIANT Child(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

Text TakeText(BSTR text) {
  if (!text) return {};
  Text taken(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  SysFreeString(text);
  return taken;
}

struct ClipboardOpen {
  ClipboardOpen() : open(OpenClipboard(nullptr) != FALSE) {}
  ~ClipboardOpen() {
    if (open) CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  bool open;
};

// Wine waits up to two seconds for a window manager to map or unmap each
// captioned window, and the test display runs none: this program's windows
// are left unmanaged. Read by Wine's display driver when it first loads,
// before the first window; Windows ignores the key.
class UnmanagedWindowsUnderWine : public ::testing::Environment {
 public:
  void SetUp() override {
    HKEY opened = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\dialog_win32_tests.exe\\X11 Driver", &opened);
    const unique_hkey key(opened);
    if (key) RegSetValueExA(key.get(), "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  }
};

const auto* const unmanaged =
    ::testing::AddGlobalTestEnvironment(std::make_unique<UnmanagedWindowsUnderWine>().release());

class Win32Form3Driver final : public Form3Driver {
 public:
  Win32Form3Driver(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path)
      : dialog_(reg, ini, panel, std::move(exe_path), GetModuleHandleA(nullptr)) {
    active_ = this;
    answer_timer_ = SetTimer(nullptr, 0, kAnswerPeriodMs, AnswerOpenDialogs);
  }
  ~Win32Form3Driver() override {
    KillTimer(nullptr, answer_timer_);
    active_ = nullptr;
  }
  Win32Form3Driver(const Win32Form3Driver&) = delete;
  Win32Form3Driver& operator=(const Win32Form3Driver&) = delete;

  bool Open() override {
    dialog_.Show();
    Pump();
    return dialog_.IsOpen() && GetActiveWindow() == Dialog();
  }
  bool IsOpen() const override { return dialog_.IsOpen(); }
  void CloseWithoutStoring() override { dialog_.CloseWithoutStoring(); }
  void PressCloseButton() override {
    SendMessageA(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
  }
  void RunEventLoopOnce() override { Pump(); }

  uintptr_t WindowId() const override { return reinterpret_cast<uintptr_t>(Dialog()); }
  void WatchWindow() override { watched_ = Dialog(); }
  WindowState WatchedWindow() const override {
    if (!IsWindow(watched_)) return WindowState::Gone;
    return IsWindowVisible(watched_) ? WindowState::Shown : WindowState::Hidden;
  }
  bool FreesClosedWindowLater() const override { return false; }

  Text Title() const override { return WindowText(Dialog()); }
  PixelSize ClientSize() const override {
    RECT client{};
    GetClientRect(Dialog(), &client);
    return {client.right, client.bottom};
  }
  bool Resizable() const override { return (GetWindowLongA(Dialog(), GWL_STYLE) & WS_THICKFRAME) != 0; }
  PixelRect Place(Form3Control control) const override {
    RECT rect{};
    GetWindowRect(Control(control), &rect);
    MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  Text ControlText(Form3Control control) const override { return WindowText(Control(control)); }
  int TextWidth(Form3Control control) const override {
    const HWND window = Control(control);
    const std::string text = ToAnsi(WindowText(window));
    const WindowDc dc(window);
    const ScopedSelect font(dc.get(), Font(window));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  bool IsBold(Form3Control control) const override {
    LOGFONTA font{};
    GetObjectA(Font(Control(control)), sizeof font, &font);
    return font.lfWeight >= FW_BOLD;
  }
  bool IsVisible(Form3Control control) const override { return IsWindowVisible(Control(control)) != FALSE; }
  bool IsDefaultButton(Form3Control control) const override {
    return (GetWindowLongA(Control(control), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }
  bool IsChecked(Form3Control control) const override {
    return SendMessageA(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // A running 1 ms timer has a tick waiting for the dialog well within a second.
  bool ThumbnailTimerRunning() override {
    const DWORD start = GetTickCount();
    MSG msg{};
    while (!PeekMessageA(&msg, Dialog(), WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
      if (GetTickCount() - start > kTimerWaitMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kTimerWaitMs, QS_TIMER);
    }
    return true;
  }

  Text AccessibleName(Form3Control control) const override {
    const unique_accessible accessible = AccessibleOf(Control(control));
    BSTR name = nullptr;
    if (!accessible || accessible->get_accName(Child(CHILDID_SELF), &name) != S_OK) return {};
    return TakeText(name);
  }
  std::vector<AccessibleItem> AccessibleItems(Form3Control control) const override {
    std::vector<AccessibleItem> items;
    const unique_accessible accessible = AccessibleOf(Control(control));
    long count = 0;
    if (!accessible || FAILED(accessible->get_accChildCount(&count))) return items;
    for (long item = 1; item <= count; ++item) {
      BSTR name = nullptr;
      accessible->get_accName(Child(item), &name);
      VARIANT state{};
      accessible->get_accState(Child(item), &state);
      items.push_back({TakeText(name), state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_SELECTED) != 0});
    }
    return items;
  }

  std::optional<Form3Control> Focused() const override {
    const HWND focus = GetFocus();
    for (const Form3Control control :
         {Form3Control::Hours, Form3Control::Minutes, Form3Control::Cancel, Form3Control::Command1,
          Form3Control::Check1, Form3Control::Picture1, Form3Control::HScroll1}) {
      if (focus && focus == Control(control)) return control;
    }
    return std::nullopt;
  }
  void Focus(Form3Control control) override {
    SetFocus(Control(control));
    Pump();
  }
  Text SelectedText(Form3Control control) const override {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Control(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return WindowText(Control(control)).substr(start, end - start);
  }
  void SelectAll(Form3Control control) override { SendMessageA(Control(control), EM_SETSEL, 0, -1); }
  void Press(Form3Key key) override {
    const UINT virtual_key = VirtualKey(key);
    Deliver(WM_KEYDOWN, virtual_key, 1);
    Deliver(WM_KEYUP, virtual_key, static_cast<LPARAM>(0xC0000001));
    Pump();
  }
  void Type(const Text& characters) override {
    for (const char16_t c : characters) Deliver(WM_CHAR, c, 1);
    Pump();
  }
  // The character a Ctrl shortcut types, which the field's own editing acts on.
  void PressCtrl(char letter) override {
    Deliver(WM_CHAR, static_cast<WPARAM>(letter - 'A' + 1), 1);
    Pump();
  }
  void SetClipboardText(const Text& text) override {
    const std::string bytes = ToAnsi(text);
    const ClipboardOpen clipboard;
    if (!clipboard.open) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (!memory) return;
    std::memcpy(GlobalLock(memory), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it has taken it.
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }

  void Click(Form3Control button) override {
    const HWND window = Control(button);
    SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
    Pump();
  }
  void MouseClick(Form3Control control, std::optional<PixelSize> point) override {
    const HWND window = Control(control);
    if (!point) {
      SendMessageA(window, BM_CLICK, 0, 0);
      Pump();
      return;
    }
    // The point is on the control's outer rectangle; the window takes it
    // inside its border.
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const LPARAM position = MAKELPARAM(point->width - (client.x - outer.left), point->height - (client.y - outer.top));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    SendMessageA(window, WM_LBUTTONUP, 0, position);
    Pump();
  }

  const std::vector<ShownMessage>& Messages() const override { return messages_; }
  void InsteadOfNextOk(std::function<void()> instead_of_ok) override {
    instead_of_ok_ = std::move(instead_of_ok);
  }
  void AnswerFileDialog(const Text& path) override { file_answer_ = NativePath(path); }
  const std::vector<ShownFileDialog>& FileDialogs() const override { return file_dialogs_; }

 private:
  HWND Dialog() const { return static_cast<HWND>(dialog_.Window()); }
  HWND Control(Form3Control control) const {
    switch (control) {
      case Form3Control::Picture1: return FindWindowExA(Dialog(), nullptr, "QuorbelSkinStrip", nullptr);
      case Form3Control::HScroll1: return FindWindowExA(Dialog(), nullptr, "ScrollBar", nullptr);
      default: return GetDlgItem(Dialog(), Form3ControlId(control));
    }
  }
  static HGDIOBJ Font(HWND window) { return reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)); }

  // As the program's message loop hands a message over: the dialog's
  // keyboard handling first.
  void Deliver(UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{GetFocus(), message, wparam, lparam, GetTickCount(), {}};
    Dispatch(msg);
  }
  void Dispatch(MSG& msg) {
    if (dialog_.PreTranslate(&msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  void Pump() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(msg);
  }

  // Runs inside the modal loop of every message box and file dialog.
  static void CALLBACK AnswerOpenDialogs(HWND, UINT, UINT_PTR, DWORD) {
    if (active_) EnumThreadWindows(GetCurrentThreadId(), AnswerWindow, 0);
  }
  static BOOL CALLBACK AnswerWindow(HWND window, LPARAM) {
    Win32Form3Driver* self = active_;
    if (!self || window == self->Dialog() || !IsWindowVisible(window) || !HasClass(window, "#32770")) {
      return TRUE;
    }
    if (GetDlgItem(window, kFileNameCombo) || GetDlgItem(window, kFileNameEdit)) {
      self->AnswerFiles(window);
    } else {
      self->AnswerBox(window);
    }
    return FALSE;
  }
  void AnswerBox(HWND box) {
    ShownMessage shown{WindowText(box), {}, false};
    const HICON information = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_INFORMATION));
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!HasClass(child, "Static")) continue;
      if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        shown.information_icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == information;
      } else if (shown.text.empty()) {
        shown.text = WindowText(child);
      }
    }
    messages_.push_back(std::move(shown));
    if (instead_of_ok_) {
      std::exchange(instead_of_ok_, nullptr)();
    } else {
      SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  void AnswerFiles(HWND files) {
    // The folder reaches the dialog as its initial file name, which Wine's
    // dialog neither opens in nor shows: where it opened tells nothing.
    file_dialogs_.push_back({WindowText(files), std::nullopt});
    const std::string answer = ToAnsi(file_answer_);
    SendMessageA(files, CDM_SETCONTROLTEXT, GetDlgItem(files, kFileNameCombo) ? kFileNameCombo : kFileNameEdit,
                 reinterpret_cast<LPARAM>(answer.c_str()));
    PostMessageA(files, WM_COMMAND, IDOK, 0);
  }

  static inline Win32Form3Driver* active_ = nullptr;
  ComApartment apartment_;
  GdiplusSession gdiplus_;
  Win32Form3 dialog_;
  UINT_PTR answer_timer_ = 0;
  HWND watched_ = nullptr;
  std::vector<ShownMessage> messages_;
  std::function<void()> instead_of_ok_;
  Text file_answer_;
  std::vector<ShownFileDialog> file_dialogs_;
};

}  // namespace

// Wine's drive Z: is "/".
Text NativePath(const Text& slash_path) {
  Text path = u"Z:" + slash_path;
  for (char16_t& c : path) c = c == u'/' ? u'\\' : c;
  return path;
}

std::unique_ptr<Form3Driver> MakeForm3Driver(ModReg& reg, const ModIni& ini, PanelControl& panel,
                                             Text exe_path) {
  return std::make_unique<Win32Form3Driver>(reg, ini, panel, std::move(exe_path));
}

}  // namespace quorbel
