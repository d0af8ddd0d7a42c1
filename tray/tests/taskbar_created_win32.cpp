// Tells every top-level window that the shell's taskbar was created again,
// as a restarted shell does, for the end-to-end checks under Wine.
#include <windows.h>

int main() {
  return PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? 0 : 1;
}
