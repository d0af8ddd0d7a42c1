#pragma once
// Picture1, the viewport on the strip of skin thumbnails, and HScroll1 under
// it. The thumbnails are drawn with GDI+ (so PNG loads as well as BMP, GIF
// and JPEG), with the selection mark and light band SkinPicker describes.
// The viewport is a tab stop whose arrow keys go to the dialog; to
// assistive technology it is a list of thumbnails named "Skin N".
// Its figures, the scroll position included, are logical (96-dpi) pixels,
// drawn at the dialog's scale.
#include <windows.h>

#include <functional>
#include <vector>

#include "common/accessible_win32.h"
#include "common/display_scale.h"
#include "common/text.h"
#include "common/gdiplus_win32.h"
#include "dialog/skin_picker.h"

namespace quorbel {

class Win32SkinPicker {
 public:
  using ClickHandler = std::function<void(int)>;
  using KeyHandler = std::function<void(StripKey)>;

  // Creates the viewport and the scroll bar on `dialog` at their places.
  Win32SkinPicker(HWND dialog, HINSTANCE instance, const SkinPicker& picker, ClickHandler on_click,
                  KeyHandler on_key, const DisplayScale& scale);
  Win32SkinPicker(const Win32SkinPicker&) = delete;
  Win32SkinPicker& operator=(const Win32SkinPicker&) = delete;

  // One thumbnail per path; a picture that cannot be loaded leaves its
  // thumbnail plain.
  void Build(const std::vector<Text>& thumbnail_paths);
  void Redraw(int index);
  // Scrolls the thumbnail into view and reports it selected and focused.
  void Reveal(int index);
  void SetName(const Text& name) { accessible_content_.name = name; }
  // A WM_HSCROLL request of the scroll bar.
  void Scroll(WPARAM request);
  HWND scroll_bar() const { return scroll_bar_; }
  // Moves and sizes both windows for the dialog's new scale.
  void SetScale(const DisplayScale& scale);

 private:
  // The strip to assistive technology: a list named by its caption.
  class StripContent final : public AccessibleContent {
   public:
    explicit StripContent(const Win32SkinPicker& strip) : strip_(strip) {}
    std::optional<Text> Name() const override { return name; }
    std::optional<long> Role() const override { return ROLE_SYSTEM_LIST; }
    long ItemCount() const override { return static_cast<long>(strip_.images_.size()); }
    Text ItemName(long item) const override { return ThumbnailName(static_cast<int>(item) - 1); }
    long SelectedItem() const override { return strip_.picker_.SelectedSkin() + 1; }
    RECT ItemRect(long item) const override;
    Text name;

   private:
    const Win32SkinPicker& strip_;
  };

  static LRESULT CALLBACK ViewportProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void ReportSelected() const;
  void Paint();
  void DrawThumbnail(HDC dc, int index, int left) const;
  void Click(int x, int y);
  int ViewportWidth() const;
  void Place();

  const SkinPicker& picker_;
  ClickHandler on_click_;
  KeyHandler on_key_;
  StripContent accessible_content_{*this};
  AccessibleHost accessible_{accessible_content_};
  HWND viewport_ = nullptr;
  HWND scroll_bar_ = nullptr;
  struct Thumbnail {
    gdip::unique_image image;
    int factor = 1;  // the picture's pixels per logical pixel
  };
  std::vector<Thumbnail> images_;
  int offset_ = 0;  // how far the strip has moved left
  int range_ = 0;
  DisplayScale scale_;
};

}  // namespace quorbel
