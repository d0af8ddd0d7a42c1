#pragma once
// Move-only owners of the Win32 and GDI+ handles the program uses.
#include <windows.h>

#include "common/unique_handle.h"

namespace quorbel {

struct RegKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct IconDestroyer {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct LibraryFreer {
  void operator()(HMODULE library) const { FreeLibrary(library); }
};
struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};

using unique_hkey = UniqueHandle<HKEY, RegKeyCloser>;
using unique_hdc = UniqueHandle<HDC, DcDeleter>;
using unique_hbitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using unique_hfont = UniqueHandle<HFONT, GdiObjectDeleter>;
using unique_hbrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using unique_handle = UniqueHandle<HANDLE, KernelHandleCloser>;
using unique_hicon = UniqueHandle<HICON, IconDestroyer>;
using unique_hmenu = UniqueHandle<HMENU, MenuDestroyer>;
using unique_hwnd = UniqueHandle<HWND, WindowDestroyer>;
using unique_hmodule = UniqueHandle<HMODULE, LibraryFreer>;

// Restores the object a device context held before, when it goes out of scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Releases a device context obtained with GetDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace quorbel
