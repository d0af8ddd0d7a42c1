#include "panel/gdiplus_session_win32.h"

#include "common/gdiplus_win32.h"

namespace quorbel {

GdiplusSession::GdiplusSession() {
  gdip::GdiplusStartupInput input{};
  input.GdiplusVersion = 1;
  ULONG_PTR token = 0;
  if (gdip::GdiplusStartup(&token, &input, nullptr) == gdip::Ok) token_ = token;
}

GdiplusSession::~GdiplusSession() {
  if (token_ != 0) gdip::GdiplusShutdown(token_);
}

}  // namespace quorbel
