#pragma once
// A move-only owner for any handle with a close function, so that no code
// path can forget to release one. Platform-neutral; the Win32 aliases live in
// handles_win32.h.
#include <utility>

namespace quorbel {

template <typename Handle, typename Closer, Handle kNone = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != kNone; }
  Handle* put() {
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, kNone); }
  void reset(Handle handle = kNone) {
    if (handle_ != kNone) Closer{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = kNone;
};

}  // namespace quorbel
