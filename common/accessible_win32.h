#pragma once
// What a window tells assistive technology beyond the system's own
// accessible object for it: its name and role, and items inside it that
// have no window of their own. One IAccessible per window, over the
// system's standard object, answers WM_GETOBJECT.
#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <optional>

#include "common/text.h"

namespace quorbel {

// The window's own answers; nothing keeps the standard object's.
class AccessibleContent {
 public:
  virtual ~AccessibleContent() = default;
  virtual std::optional<Text> Name() const { return std::nullopt; }
  virtual std::optional<long> Role() const { return std::nullopt; }
  // Items are numbered from 1, as the child ids that stand for them.
  virtual long ItemCount() const { return 0; }
  virtual Text ItemName(long) const { return {}; }
  // The selected item, or 0.
  virtual long SelectedItem() const { return 0; }
  // Where the item lies on the screen.
  virtual RECT ItemRect(long) const { return {}; }
};

// The thread's single-threaded COM apartment, which handing an accessible
// object to a client needs, for as long as this lives.
class ComApartment {
 public:
  ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (entered_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_;
};

class AccessibleObject;
struct AccessibleObjectReleaser {
  void operator()(AccessibleObject* object) const;
};

// The accessible object of one window. COM holds it by reference count; the
// host keeps one reference and, when it goes, cuts the object off from the
// window, so a screen reader that still holds it gets "not connected".
class AccessibleHost {
 public:
  explicit AccessibleHost(const AccessibleContent& content) : content_(content) {}
  ~AccessibleHost();
  AccessibleHost(const AccessibleHost&) = delete;
  AccessibleHost& operator=(const AccessibleHost&) = delete;

  // The answer to WM_GETOBJECT for `window` asking for OBJID_CLIENT; nothing
  // for any other object, which the window's default handling answers. The
  // thread must have entered a COM apartment.
  std::optional<LRESULT> Answer(HWND window, WPARAM wparam, LPARAM lparam);

 private:
  const AccessibleContent& content_;
  std::unique_ptr<AccessibleObject, AccessibleObjectReleaser> object_;  // the host's reference
};

}  // namespace quorbel
