// QuorbelFloor: the smallest program with one window and a message loop,
// whose memory under Wine is the floor the benchmark sets the program's
// figure beside. Ends by itself after the seconds given (default 10).
#include <windows.h>

#include <cstdlib>

namespace {

constexpr UINT_PTR kEndTimer = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kEndTimer) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  const int seconds = std::atoi(command_line);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "QuorbelFloor";
  RegisterClassA(&window_class);
  const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, window_class.lpszClassName, "", WS_POPUP,
                                      0, 0, 40, 40, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  SetTimer(window, kEndTimer, static_cast<UINT>(1000 * (seconds > 0 ? seconds : 10)), nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DestroyWindow(window);
  return 0;
}
