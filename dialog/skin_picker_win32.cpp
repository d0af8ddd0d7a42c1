#include "dialog/skin_picker_win32.h"

#include <algorithm>

#include "common/handles_win32.h"
#include "common/scaled_picture.h"
#include "dialog/form3.h"

namespace quorbel {

namespace {

constexpr char kViewportClass[] = "QuorbelSkinStrip";

void RegisterViewportClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA window_class{};
  if (GetClassInfoA(instance, kViewportClass, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = kViewportClass;
  RegisterClassA(&window_class);
}

void FillRect(Gdiplus::GpGraphics* graphics, Gdiplus::ARGB colour, const PixelRect& rect) {
  gdip::unique_brush brush;
  Gdiplus::DllExports::GdipCreateSolidFill(colour, brush.put());
  Gdiplus::DllExports::GdipFillRectangleI(graphics, brush.get(), rect.x, rect.y, rect.width, rect.height);
}

void OutlineRect(Gdiplus::GpGraphics* graphics, Gdiplus::ARGB colour, const PixelRect& rect) {
  gdip::unique_pen pen;
  Gdiplus::DllExports::GdipCreatePen1(colour, 1.0f, Gdiplus::UnitPixel, pen.put());
  Gdiplus::DllExports::GdipDrawRectangleI(graphics, pen.get(), rect.x, rect.y, rect.width, rect.height);
}

void DrawSelectionFrame(Gdiplus::GpGraphics* graphics) {
  const SelectionFrame frame = SelectionFrameFor(kThumbnailSize, kThumbnailSize);
  FillRect(graphics, kSelectionTint, frame.tint);
  OutlineRect(graphics, kSelectionInner, frame.inner);
  OutlineRect(graphics, kSelectionOuter, frame.outer);
}

}  // namespace

Win32SkinPicker::Win32SkinPicker(HWND dialog, HINSTANCE instance, const SkinPicker& picker,
                                 ClickHandler on_click, KeyHandler on_key, const DisplayScale& scale)
    : picker_(picker), on_click_(std::move(on_click)), on_key_(std::move(on_key)), scale_(scale) {
  RegisterViewportClass(instance, ViewportProc);
  viewport_ = CreateWindowExA(WS_EX_CLIENTEDGE, kViewportClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
                              0, 0, dialog, nullptr, instance, this);
  scroll_bar_ = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 0, 0,
                                dialog, nullptr, instance, nullptr);
  Place();
}

void Win32SkinPicker::SetScale(const DisplayScale& scale) {
  scale_ = scale;
  Place();
  InvalidateRect(viewport_, nullptr, FALSE);
}

void Win32SkinPicker::Place() {
  const PixelRect viewport = scale_.Rect(DesignedPlace(Form3Control::Picture1));
  SetWindowPos(viewport_, nullptr, viewport.x, viewport.y, viewport.width, viewport.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const PixelRect scroll_bar = scale_.Rect(DesignedPlace(Form3Control::HScroll1));
  // The scroll bar overlaps the viewport's lower border; it lies on top.
  SetWindowPos(scroll_bar_, HWND_TOP, scroll_bar.x, scroll_bar.y, scroll_bar.width, scroll_bar.height,
               SWP_NOACTIVATE);
}

void Win32SkinPicker::Build(const std::vector<Text>& thumbnail_paths) {
  images_.clear();
  // A thumbnail shows its picture's top-left 49 x 49 pixels, unscaled: that
  // is all that is kept of it. On a dense screen a picture twice the size,
  // where there is one, shows its top-left 98 x 98 in the same place.
  for (const Text& path : thumbnail_paths) {
    Thumbnail thumbnail;
    for (const PictureFile& file : PictureFilesFor(path, scale_)) {
      thumbnail = {gdip::LoadImageCorner(file.path, PictureCorner({kThumbnailSize, kThumbnailSize}, file.factor)),
                   file.factor};
      if (thumbnail.image) break;
    }
    images_.push_back(std::move(thumbnail));
  }
  const int count = static_cast<int>(thumbnail_paths.size());
  range_ = ScrollRange(StripWidth(count), ViewportWidth());
  offset_ = 0;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMax = StripWidth(count) - 1;
  info.nPage = static_cast<UINT>(ViewportWidth());
  SetScrollInfo(scroll_bar_, SB_CTL, &info, TRUE);
  InvalidateRect(viewport_, nullptr, FALSE);
}

int Win32SkinPicker::ViewportWidth() const {
  RECT client{};
  GetClientRect(viewport_, &client);
  return scale_.Logical(client.right);
}

void Win32SkinPicker::Redraw(int index) {
  // One device pixel more on each side: the scaled picture's edge may blend
  // into it.
  const PixelRect area = scale_.Rect({ThumbnailLeft(index) - offset_, kThumbnailTop, kThumbnailSize, kThumbnailSize});
  const RECT device{area.x - 1, area.y - 1, area.x + area.width + 1, area.y + area.height + 1};
  InvalidateRect(viewport_, &device, FALSE);
}

void Win32SkinPicker::Reveal(int index) {
  offset_ = OffsetShowing(index, offset_, ViewportWidth(), range_);
  SetScrollPos(scroll_bar_, SB_CTL, offset_, TRUE);
  InvalidateRect(viewport_, nullptr, FALSE);
  ReportSelected();
}

void Win32SkinPicker::ReportSelected() const {
  const LONG item = picker_.SelectedSkin() + 1;
  NotifyWinEvent(EVENT_OBJECT_SELECTION, viewport_, OBJID_CLIENT, item);
  if (GetFocus() == viewport_) NotifyWinEvent(EVENT_OBJECT_FOCUS, viewport_, OBJID_CLIENT, item);
}

RECT Win32SkinPicker::StripContent::ItemRect(long item) const {
  const PixelRect area = strip_.scale_.Rect(
      {ThumbnailLeft(static_cast<int>(item) - 1) - strip_.offset_, kThumbnailTop, kThumbnailSize, kThumbnailSize});
  RECT rect{area.x, area.y, area.x + area.width, area.y + area.height};
  MapWindowPoints(strip_.viewport_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Win32SkinPicker::Scroll(WPARAM request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(scroll_bar_, SB_CTL, &info);
  int position = offset_;
  switch (LOWORD(request)) {
    case SB_LINELEFT: position -= 1; break;
    case SB_LINERIGHT: position += 1; break;
    case SB_PAGELEFT: position -= kThumbnailSize; break;
    case SB_PAGERIGHT: position += kThumbnailSize; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_LEFT: position = 0; break;
    case SB_RIGHT: position = range_; break;
    default: return;
  }
  offset_ = std::clamp(position, 0, range_);
  SetScrollPos(scroll_bar_, SB_CTL, offset_, TRUE);
  InvalidateRect(viewport_, nullptr, FALSE);
}

void Win32SkinPicker::Click(int x, int y) {
  const int count = static_cast<int>(images_.size());
  if (const auto index = ThumbnailAt(scale_.Logical(x), scale_.Logical(y), offset_, count)) {
    on_click_(*index);
  }
}

void Win32SkinPicker::Paint() {
  PAINTSTRUCT paint{};
  const HDC target = BeginPaint(viewport_, &paint);
  RECT client{};
  GetClientRect(viewport_, &client);
  // Composed off screen, so the band's 1 ms steps do not flicker.
  unique_hdc buffer(CreateCompatibleDC(target));
  unique_hbitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
  {
    ScopedSelect selected(buffer.get(), bitmap.get());
    ::FillRect(buffer.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int index = 0; index < static_cast<int>(images_.size()); ++index) {
      const int left = ThumbnailLeft(index) - offset_;
      const PixelRect area = scale_.Rect({left, kThumbnailTop, kThumbnailSize, kThumbnailSize});
      if (area.x + area.width >= paint.rcPaint.left && area.x <= paint.rcPaint.right) {
        DrawThumbnail(buffer.get(), index, left);
      }
    }
    if (GetFocus() == viewport_ && picker_.SelectedSkin() < static_cast<int>(images_.size())) {
      // The focus just inside the selected thumbnail's frame.
      const int left = ThumbnailLeft(picker_.SelectedSkin()) - offset_;
      RECT focus{left + 2, kThumbnailTop + 2, left + kThumbnailSize - 2, kThumbnailTop + kThumbnailSize - 2};
      DrawFocusRect(buffer.get(), &focus);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  }
  EndPaint(viewport_, &paint);
}

// Drawn in logical pixels under the dialog's scale.
void Win32SkinPicker::DrawThumbnail(HDC dc, int index, int left) const {
  const PixelRect place = scale_.Rect({left, kThumbnailTop, kThumbnailSize, kThumbnailSize});
  const RECT area{place.x, place.y, place.x + place.width, place.y + place.height};
  ::FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  gdip::unique_graphics graphics;
  Gdiplus::DllExports::GdipCreateFromHDC(dc, graphics.put());
  Gdiplus::DllExports::GdipSetClipRectI(graphics.get(), place.x, place.y, place.width, place.height,
                            Gdiplus::CombineModeReplace);
  const auto factor = static_cast<float>(scale_.Factor());
  Gdiplus::DllExports::GdipScaleWorldTransform(graphics.get(), factor, factor, Gdiplus::MatrixOrderPrepend);
  Gdiplus::DllExports::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
  Gdiplus::DllExports::GdipTranslateWorldTransform(graphics.get(), static_cast<float>(left),
                                       static_cast<float>(kThumbnailTop), Gdiplus::MatrixOrderPrepend);
  // The picture at its own pixel size from the top-left corner, not scaled.
  const Thumbnail& thumbnail = images_[static_cast<size_t>(index)];
  if (Gdiplus::GpImage* image = thumbnail.image.get()) {
    UINT width = 0;
    UINT height = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image, &width);
    Gdiplus::DllExports::GdipGetImageHeight(image, &height);
    const auto factor = static_cast<float>(thumbnail.factor);
    Gdiplus::DllExports::GdipDrawImageRect(graphics.get(), image, 0.0F, 0.0F, static_cast<float>(width) / factor,
                               static_cast<float>(height) / factor);
  }
  if (index != picker_.SelectedSkin()) return;
  DrawSelectionFrame(graphics.get());
  if (picker_.Band()) FillRect(graphics.get(), kLightBand, *picker_.Band());
}

LRESULT CALLBACK Win32SkinPicker::ViewportProc(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* strip = reinterpret_cast<Win32SkinPicker*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (strip) {
    switch (message) {
      case WM_PAINT:
        strip->Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_LBUTTONDOWN:
        SetFocus(window);
        strip->Click(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
      case WM_KEYDOWN:
        if (wparam == VK_LEFT || wparam == VK_RIGHT) {
          strip->on_key_(wparam == VK_LEFT ? StripKey::Left : StripKey::Right);
          return 0;
        }
        break;
      case WM_SETFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        strip->ReportSelected();
        return 0;
      case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      case WM_GETOBJECT:
        if (const auto answer = strip->accessible_.Answer(window, wparam, lparam)) return *answer;
        break;
      case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace quorbel
