// A small Windows-side helper for the end-to-end tests: it looks at the
// program's windows from inside Wine, where the window system's own view
// (position, top-most, focus) is exact.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kPanelClass[] = "QuorbelClock.Form1";
constexpr char kPanelCaption[] = "Quorbel Alarm Clock";

HWND FindPanel() { return FindWindowA(kPanelClass, kPanelCaption); }

void PrintPanel(HWND panel) {
  RECT rect{};
  GetWindowRect(panel, &rect);
  const LONG_PTR ex_style = GetWindowLongPtrA(panel, GWL_EXSTYLE);
  std::printf("left=%ld top=%ld width=%ld height=%ld topmost=%d layered=%d visible=%d screen=%d\n",
              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
              (ex_style & WS_EX_TOPMOST) ? 1 : 0, (ex_style & WS_EX_LAYERED) ? 1 : 0,
              IsWindowVisible(panel) ? 1 : 0, GetSystemMetrics(SM_CXSCREEN));
}

// panel: the panel window's geometry and styles; exit 1 when there is none.
int ShowPanel() {
  const HWND panel = FindPanel();
  if (!panel) return 1;
  PrintPanel(panel);
  return 0;
}

// watch MS [WAIT_MS]: waits up to WAIT_MS (MS if not given) for the panel,
// then prints each new top edge with the milliseconds since it appeared,
// until MS have passed.
int WatchPanel(DWORD duration, DWORD wait) {
  const DWORD start = GetTickCount();
  HWND panel = nullptr;
  while (!(panel = FindPanel())) {
    if (GetTickCount() - start > wait) return 1;
    Sleep(2);
  }
  const DWORD seen = GetTickCount();
  LONG last = LONG_MIN;
  while (GetTickCount() - seen < duration && IsWindow(panel)) {
    RECT rect{};
    GetWindowRect(panel, &rect);
    if (rect.top != last) {
      std::printf("%lu %ld %d\n", GetTickCount() - seen, rect.top, IsWindowVisible(panel) ? 1 : 0);
      std::fflush(stdout);
      last = rect.top;
    }
    Sleep(1);
  }
  return 0;
}

// taskbar-created: what the shell broadcasts after it restarts.
int BroadcastTaskbarCreated() {
  const UINT message = RegisterWindowMessageA("TaskbarCreated");
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  return 0;
}

LRESULT CALLBACK TypingWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CHAR) {
    std::printf("char %u\n", static_cast<unsigned>(wparam));
    std::fflush(stdout);
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wparam, lparam);
}

// input-window SECONDS: a plain window at (0, 300) of 400 x 300 that takes the
// focus, reports the characters it receives and whether it still has the
// focus at the end. Pointer moves over it reach the last-input clock.
int InputWindow(DWORD seconds) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = TypingWindowProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "QuorbelProbeInput";
  RegisterClassA(&window_class);
  const HWND window = CreateWindowExA(0, window_class.lpszClassName, "Quorbel Probe", WS_POPUP | WS_VISIBLE,
                                      0, 300, 400, 300, nullptr, nullptr, window_class.hInstance, nullptr);
  SetForegroundWindow(window);
  SetFocus(window);
  std::printf("ready\n");
  std::fflush(stdout);
  SetTimer(window, 1, seconds * 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == window) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::printf("focus=%d\n", GetForegroundWindow() == window ? 1 : 0);
  DestroyWindow(window);
  return 0;
}

// input-clock: the raw last-input stamp and tick count as a Windows process
// reads them, and the stamp minus the tick count (signed: above 0 when the
// stamp is later than the tick count read after it).
int ShowInputClock() {
  LASTINPUTINFO info{sizeof(info), 0};
  if (!GetLastInputInfo(&info)) return 1;
  const DWORD tick = GetTickCount();
  std::printf("stamp=%lu tick=%lu ahead=%ld\n", info.dwTime, tick, static_cast<LONG>(info.dwTime - tick));
  return 0;
}

// stamp-ahead MS: reads the stamp and then the tick count about every
// millisecond for MS. Each read whose stamp is later than the tick count is
// printed at once ("ahead MS stamp=S tick=T"), then a summary: how many
// reads, how many of them ahead and by how much at most, and how often the
// stamp changed.
int WatchStampAhead(DWORD duration) {
  const DWORD start = GetTickCount();
  unsigned long reads = 0, ahead = 0, changes = 0;
  LONG most = 0;
  DWORD last = 0;
  while (GetTickCount() - start < duration) {
    LASTINPUTINFO info{sizeof(info), 0};
    if (!GetLastInputInfo(&info)) return 1;
    const DWORD tick = GetTickCount();
    const LONG difference = static_cast<LONG>(info.dwTime - tick);
    if (reads > 0 && info.dwTime != last) ++changes;
    last = info.dwTime;
    ++reads;
    if (difference > 0) {
      ++ahead;
      if (difference > most) most = difference;
      std::printf("ahead %ld stamp=%lu tick=%lu\n", difference, info.dwTime, tick);
      std::fflush(stdout);
    }
    Sleep(1);
  }
  std::printf("reads=%lu ahead=%lu most=%ld changes=%lu\n", reads, ahead, most, changes);
  return 0;
}

// startup-time PROGRAM: starts PROGRAM and prints the milliseconds until its
// panel window is visible; exit 1 when it is not within ten seconds.
int StartupTime(const char* program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string command = std::string("\"") + program + "\"";
  const DWORD start = GetTickCount();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  while (GetTickCount() - start < 10000) {
    const HWND panel = FindPanel();
    if (panel && IsWindowVisible(panel)) {
      std::printf("%lu\n", GetTickCount() - start);
      return 0;
    }
    Sleep(1);
  }
  return 1;
}

// The visible pop-up menu window (class "#32768"), if one is open.
HWND FindOpenMenu() {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32768", nullptr))) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// menu: where the open pop-up menu is; exit 1 when none is open. Its items
// cannot be read from here: Wine keeps a menu's items in its own process.
int ShowOpenMenu() {
  const HWND window = FindOpenMenu();
  if (!window) return 1;
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("left=%ld top=%ld width=%ld height=%ld\n", rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
  return 0;
}

// show-menu ITEM...: pops up a menu of these items ("-" a separator) at the
// pointer, as a tray menu does, and returns when it closes. Drawn by the same
// window system, it shows what another program's menu of these texts looks like.
int ShowReferenceMenu(int count, char** items) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "QuorbelProbeMenuOwner";
  RegisterClassA(&window_class);
  const HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, window_class.lpszClassName, "", WS_POPUP, 0, 0, 0,
                                     0, nullptr, nullptr, window_class.hInstance, nullptr);
  const HMENU menu = CreatePopupMenu();
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(items[i], "-") == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, i + 1, items[i]);
    }
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, 0, pointer.x, pointer.y, 0, owner, nullptr);
  DestroyMenu(menu);
  DestroyWindow(owner);
  return 0;
}

// forget-icon: takes the program's tray icon away as a restarting shell
// does, without the program knowing; exit 1 when it has no icon window.
int ForgetTrayIcon() {
  const HWND owner = FindWindowA("QuorbelClock.TrayIcon", nullptr);
  if (!owner) return 1;
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = owner;
  return Shell_NotifyIconA(NIM_DELETE, &record) ? 0 : 1;
}

// Text of a window of another process: WM_GETTEXT is carried across, unlike
// GetWindowText, which only asks the window manager for a caption.
std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      1000, &copied);
  return text;
}

void PrintControl(const char* kind, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  char window_class[64] = {};
  GetClassNameA(window, window_class, sizeof window_class);
  const bool checked = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  std::printf("%s %d %s %ld %ld %ld %ld %d %d %s\n", kind, GetDlgCtrlID(window), window_class, origin.x,
              origin.y, client.right, client.bottom, IsWindowVisible(window) ? 1 : 0,
              std::strcmp(window_class, "Button") == 0 && checked ? 1 : 0, TextOf(window).c_str());
}

// controls CAPTION: the dialog box with that caption, then each of its child
// windows, one a line: kind id class x y width height visible checked text,
// where x y is the screen position of the client area; exit 1 when there is
// no such dialog.
int ShowControls(const char* caption) {
  const HWND dialog = FindWindowA("#32770", caption);
  if (!dialog || !IsWindowVisible(dialog)) return 1;
  PrintControl("dialog", dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    PrintControl("control", child);
  }
  return 0;
}

BOOL CALLBACK CountPanel(HWND window, LPARAM count) {
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  if (std::strcmp(class_name, kPanelClass) == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// panel-count: how many panel windows exist, shown or not, in any process.
int PanelCount() {
  int count = 0;
  EnumWindows(&CountPanel, reinterpret_cast<LPARAM>(&count));
  std::printf("%d\n", count);
  return 0;
}

// responds MS: exit 0 when the panel's thread answers a message within MS.
int PanelResponds(UINT timeout) {
  const HWND panel = FindPanel();
  DWORD_PTR result = 0;
  return panel && SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result) ? 0 : 1;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// dialog: the open dialog box's client area on the screen (place and size),
// its number of child windows at any depth and its caption; exit 1 when
// none is shown.
int ShowDialog() {
  const HWND dialog = FindWindowA("#32770", nullptr);
  if (!dialog || !IsWindowVisible(dialog)) return 1;
  POINT origin{};
  ClientToScreen(dialog, &origin);
  int children = 0;
  EnumChildWindows(dialog, &CountChild, reinterpret_cast<LPARAM>(&children));
  char caption[256] = {};
  GetWindowTextA(dialog, caption, sizeof(caption));
  RECT client{};
  GetClientRect(dialog, &client);
  std::printf("x=%ld y=%ld children=%d width=%ld height=%ld caption=%s\n", origin.x, origin.y, children,
              client.right, client.bottom, caption);
  return 0;
}

// class-owner CAPTION ID: "user32" when the class of that dialog's control
// is user32's built-in one (the pre-Vista controls), "other" when another
// module registered it, as Common Controls 6 does for a program whose
// manifest asks for it. Wine maps user32 at the same address everywhere.
int ShowClassOwner(const char* caption, int id) {
  const HWND dialog = FindWindowA("#32770", caption);
  const HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
  if (!control) return 1;
  const auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(control, GCLP_HMODULE));
  std::printf("%s\n", module == GetModuleHandleA("user32.dll") ? "user32" : "other");
  return 0;
}

// focus CAPTION: the id of the control of that dialog that has the keyboard
// focus (its thread's focus: GetFocus sees only the caller's own thread).
int ShowFocus(const char* caption) {
  const HWND dialog = FindWindowA("#32770", caption);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!dialog || !GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return 1;
  std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: quorbel_probe panel | watch MS [WAIT_MS] | taskbar-created | input-window SECONDS |\n"
               "       startup-time PROGRAM | menu | show-menu ITEM... | forget-icon | controls CAPTION |\n"
               "       panel-count | responds MS | dialog | input-clock | stamp-ahead MS |\n"
               "       class-owner CAPTION ID | focus CAPTION\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "panel") return ShowPanel();
  if (command == "watch" && (argc == 3 || argc == 4)) {
    const DWORD duration = std::strtoul(argv[2], nullptr, 10);
    return WatchPanel(duration, argc == 4 ? std::strtoul(argv[3], nullptr, 10) : duration);
  }
  if (command == "taskbar-created") return BroadcastTaskbarCreated();
  if (command == "input-window" && argc == 3) return InputWindow(std::strtoul(argv[2], nullptr, 10));
  if (command == "startup-time" && argc == 3) return StartupTime(argv[2]);
  if (command == "menu") return ShowOpenMenu();
  if (command == "show-menu" && argc > 2) return ShowReferenceMenu(argc - 2, argv + 2);
  if (command == "forget-icon") return ForgetTrayIcon();
  if (command == "controls" && argc == 3) return ShowControls(argv[2]);
  if (command == "panel-count") return PanelCount();
  if (command == "responds" && argc == 3) return PanelResponds(std::strtoul(argv[2], nullptr, 10));
  if (command == "dialog") return ShowDialog();
  if (command == "input-clock") return ShowInputClock();
  if (command == "focus" && argc == 3) return ShowFocus(argv[2]);
  if (command == "class-owner" && argc == 4) return ShowClassOwner(argv[2], std::atoi(argv[3]));
  if (command == "stamp-ahead" && argc == 3) return WatchStampAhead(std::strtoul(argv[2], nullptr, 10));
  return Usage();
}
