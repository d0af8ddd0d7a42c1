#pragma once
// GDI+ start-up and shut-down for the life of the panel window. Every GDI+
// object (the panel renderer's images included) must be released before the
// session ends, so declare the session before the objects that use it.
#include <cstdint>

namespace quorbel {

class GdiplusSession {
 public:
  GdiplusSession();  // GdiplusStartup, version 1
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession();

  // False when GDI+ did not start: the caller shows "Error loading GDI+!".
  bool Started() const { return token_ != 0; }

 private:
  uintptr_t token_ = 0;
};

}  // namespace quorbel
