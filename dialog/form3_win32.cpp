#include "dialog/form3_win32.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <optional>

#include "common/accessible_win32.h"
#include "common/ansi.h"
#include "common/display_scale.h"
#include "common/dpi_win32.h"
#include "common/handles_win32.h"
#include "dialog/dialog_file_win32.h"
#include "dialog/form3.h"
#include "dialog/skin_picker_win32.h"

namespace quorbel {

namespace {

enum ControlId : int {
  kHoursId = 101,
  kMinutesId,
  kAutorunId,
  kIntervalLabelId,
  kColonLabelId,
  kMinutesLabelId,
  kSkinsLabelId,
  kBrowseId,
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT_PTR kThumbnailTimer = 1;
constexpr int32_t kListViewCommand = 28715;
constexpr char16_t kBrowseFilter[] = u"JPEG|*.jpg;*.jpeg|GIF|*.gif|BMP|*.bmp|PNG|*.png";

// "MS Sans Serif" 8.25 pt at the dialog's monitor's resolution.
unique_hfont MakeDialogFont(int weight, UINT dpi) {
  const int height = -MulDiv(825, static_cast<int>(dpi), 7200);
  return unique_hfont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

Text WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string bytes(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(window, bytes.data(), length + 1);
  bytes.resize(std::strlen(bytes.c_str()));
  return FromAnsi(bytes);
}

void SetWindowTextFrom(HWND window, const Text& text) { SetWindowTextA(window, ToAnsi(text).c_str()); }

// A label's size follows its text; its height is the designed 13 logical
// pixels.
void FitLabelToText(HWND label, const DisplayScale& scale) {
  const std::string text = ToAnsi(WindowText(label));
  const WindowDc dc(label);
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
  const ScopedSelect selected(dc.get(), font);
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  SetWindowPos(label, nullptr, 0, 0, size.cx, scale.Length(13), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT RectOnDialog(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveLeftTo(HWND control, int left) {
  const RECT rect = RectOnDialog(control);
  SetWindowPos(control, nullptr, left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WidthOf(HWND control) {
  const RECT rect = RectOnDialog(control);
  return rect.right - rect.left;
}

// A dialog template with no controls: they are created at pixel positions.
struct EmptyDialogTemplate {
  EmptyDialogTemplate() {
    DLGTEMPLATE header{};
    header.style = kDialogStyle;
    header.dwExtendedStyle = kDialogExStyle;
    std::memcpy(words.data(), &header, sizeof header);  // menu, class and title stay 0
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }
  alignas(DWORD) std::array<WORD, 16> words{};
};

}  // namespace

int Form3ControlId(Form3Control control) {
  switch (control) {
    case Form3Control::IntervalLabel: return kIntervalLabelId;
    case Form3Control::Hours: return kHoursId;
    case Form3Control::Colon: return kColonLabelId;
    case Form3Control::Minutes: return kMinutesId;
    case Form3Control::MinutesLabel: return kMinutesLabelId;
    case Form3Control::SkinsLabel: return kSkinsLabelId;
    case Form3Control::Picture1:
    case Form3Control::HScroll1: return 0;
    case Form3Control::Check1: return kAutorunId;
    case Form3Control::Command1: return IDOK;
    case Form3Control::Cancel: return IDCANCEL;
    case Form3Control::Command2: return kBrowseId;
  }
  return 0;
}

class Win32Form3::Impl final : public Form3View {
 public:
  Impl(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path, HINSTANCE instance)
      : form_(reg, ini, panel, std::move(exe_path)), instance_(instance) {}

  ~Impl() override {
    form_.CloseWithoutStoring();
  }

  void Show();
  void CloseWithoutStoring() { form_.CloseWithoutStoring(); }
  bool IsOpen() const { return dialog_ != nullptr; }
  bool PreTranslate(MSG* msg) { return dialog_ && IsDialogMessageA(dialog_, msg); }
  HWND window() const { return dialog_; }

  Text FieldText(IntervalField field) const override { return WindowText(FieldWindow(field)); }
  void SetFieldText(IntervalField field, const Text& text) override;
  bool AutorunChecked() const override {
    return SendMessageA(Control(kAutorunId), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetAutorunChecked(bool checked) override {
    SendMessageA(Control(kAutorunId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void SetCaption(DialogCaption which, const Text& text) override;
  void ShowSkinStrip(const std::vector<Text>& thumbnail_paths) override {
    strip_->Build(thumbnail_paths);
  }
  void StartThumbnailTimer() override { SetTimer(dialog_, kThumbnailTimer, 1, nullptr); }
  void RedrawThumbnail(int index) override { strip_->Redraw(index); }
  void RevealThumbnail(int index) override { strip_->Reveal(index); }
  void NameField(IntervalField field, const Text& name) override { FieldContent(field).name = name; }
  void ShowMessage(const Text& message) override;
  Text ChooseBackgroundFile(const Text& directory) override;
  void Close() override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wparam, LPARAM lparam);
  static Impl* FromDialog(HWND dialog) {
    return reinterpret_cast<Impl*>(GetWindowLongPtrA(dialog, DWLP_USER));
  }

  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Initialize();
  void OnCommand(int id, int code);
  void OnDestroyed();
  void CreateControls();
  HWND CreateControl(const char* window_class, const char* text, DWORD style, int id,
                     Form3Control place, HFONT font, DWORD ex_style = 0);
  void SubclassField(HWND field);
  void LayOutIntervalRowNow();
  void PlaceOnScreen();
  // Fonts and every control's place for the dialog's monitor's DPI.
  void ApplyScale(UINT dpi);
  // Keeps the place the system suggests, at the new monitor's size.
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  PixelSize FrameSize() const;
  void FitLabels();
  bool EntersField(HWND previous_focus) const;
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  HWND FieldWindow(IntervalField field) const {
    return Control(field == IntervalField::Hours ? kHoursId : kMinutesId);
  }

  // An interval field's name: it has no label of its own (the colon lies
  // before the minutes).
  class NamedContent final : public AccessibleContent {
   public:
    std::optional<Text> Name() const override { return name; }
    Text name;
  };
  NamedContent& FieldContent(IntervalField field) {
    return field == IntervalField::Hours ? hours_content_ : minutes_content_;
  }

  Form3 form_;
  HINSTANCE instance_;
  HWND dialog_ = nullptr;
  unique_hfont regular_font_;
  unique_hfont bold_font_;
  DisplayScale scale_;
  std::unique_ptr<Win32SkinPicker> strip_;
  WNDPROC field_base_proc_ = nullptr;
  NamedContent hours_content_;
  NamedContent minutes_content_;
  std::optional<AccessibleHost> hours_accessible_;
  std::optional<AccessibleHost> minutes_accessible_;
  bool destroying_ = false;
};

void Win32Form3::Impl::Show() {
  if (dialog_) {
    ShowWindow(dialog_, SW_SHOWNORMAL);
    SetForegroundWindow(dialog_);
    return;
  }
  const EmptyDialogTemplate dialog_template;
  CreateDialogIndirectParamA(instance_, dialog_template.get(), nullptr, DialogProc,
                             reinterpret_cast<LPARAM>(this));
  if (!dialog_) return;
  ShowWindow(dialog_, SW_SHOW);
  SetForegroundWindow(dialog_);
  SetFocus(FieldWindow(IntervalField::Hours));
  form_.FieldFocused(IntervalField::Hours);
}

INT_PTR CALLBACK Win32Form3::Impl::DialogProc(HWND dialog, UINT message, WPARAM wparam,
                                                   LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    auto* impl = reinterpret_cast<Impl*>(lparam);
    impl->dialog_ = dialog;
    impl->Initialize();
    return FALSE;  // Show() gives the focus to Hours once the dialog is visible
  }
  Impl* impl = FromDialog(dialog);
  return impl ? impl->Handle(message, wparam, lparam) : FALSE;
}

void Win32Form3::Impl::Initialize() {
  CreateControls();
  ApplyScale(WindowDpi(dialog_));
  form_.Load(*this);
  if (!dialog_) return;
  LayOutIntervalRowNow();
  PlaceOnScreen();
}

void Win32Form3::Impl::ApplyScale(UINT dpi) {
  scale_ = DisplayScale::FromDpi(static_cast<int32_t>(dpi));
  // The controls take the new fonts before the old ones go.
  unique_hfont regular = MakeDialogFont(FW_NORMAL, dpi);
  unique_hfont bold = MakeDialogFont(FW_BOLD, dpi);
  SendMessageA(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(regular.get()), FALSE);
  for (const auto control : {Form3Control::IntervalLabel, Form3Control::Hours, Form3Control::Colon,
                             Form3Control::Minutes, Form3Control::MinutesLabel, Form3Control::SkinsLabel,
                             Form3Control::Check1, Form3Control::Command1, Form3Control::Cancel,
                             Form3Control::Command2}) {
    const HWND window = Control(Form3ControlId(control));
    const bool in_bold = control == Form3Control::IntervalLabel || control == Form3Control::Colon ||
                         control == Form3Control::SkinsLabel;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(in_bold ? bold.get() : regular.get()), TRUE);
    const PixelRect rect = scale_.Rect(DesignedPlace(control));
    SetWindowPos(window, nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  regular_font_ = std::move(regular);
  bold_font_ = std::move(bold);
  FitLabels();
  if (strip_) strip_->SetScale(scale_);
}

void Win32Form3::Impl::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ApplyScale(dpi);
  LayOutIntervalRowNow();
  const PixelSize frame = FrameSize();
  SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, frame.width, frame.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's size for the designed client area at the scale, with the
// frame and caption the system gives the window now: a caption drawn at
// another DPI than the monitor's would otherwise shrink the client area.
PixelSize Win32Form3::Impl::FrameSize() const {
  RECT window{};
  RECT client{};
  GetWindowRect(dialog_, &window);
  GetClientRect(dialog_, &client);
  const PixelSize size = scale_.Size(kForm3ClientSize);
  return {size.width + (window.right - window.left) - client.right,
          size.height + (window.bottom - window.top) - client.bottom};
}

void Win32Form3::Impl::FitLabels() {
  for (const int id : {kIntervalLabelId, kColonLabelId, kMinutesLabelId, kSkinsLabelId}) {
    FitLabelToText(Control(id), scale_);
  }
}

INT_PTR Win32Form3::Impl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      form_.CloseWithoutStoring();
      return TRUE;
    case WM_TIMER:
      if (wparam == kThumbnailTimer) form_.TimerTick();
      return TRUE;
    case WM_HSCROLL:
      if (strip_ && reinterpret_cast<HWND>(lparam) == strip_->scroll_bar()) strip_->Scroll(wparam);
      return TRUE;
    case WM_SIZE:
      LayOutIntervalRowNow();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return TRUE;
    case WM_DESTROY:
      destroying_ = true;
      KillTimer(dialog_, kThumbnailTimer);
      form_.CloseWithoutStoring();
      return TRUE;
    case WM_NCDESTROY:
      OnDestroyed();
      return TRUE;
    default:
      return FALSE;
  }
}

void Win32Form3::Impl::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      form_.Ok();
      break;
    case IDCANCEL:
      form_.Cancel();
      break;
    case kAutorunId:
      if (code == BN_CLICKED) form_.AutorunClicked();
      break;
    case kBrowseId:
      if (code == BN_CLICKED) form_.BrowseClicked();
      break;
    case kHoursId:
    case kMinutesId:
      if (code == EN_CHANGE) {
        form_.FieldChanged(id == kHoursId ? IntervalField::Hours : IntervalField::Minutes);
      }
      break;
    default:
      break;
  }
}

void Win32Form3::Impl::OnDestroyed() {
  strip_.reset();
  hours_accessible_.reset();
  minutes_accessible_.reset();
  dialog_ = nullptr;
  destroying_ = false;
}

HWND Win32Form3::Impl::CreateControl(const char* window_class, const char* text, DWORD style,
                                         int id, Form3Control place, HFONT font, DWORD ex_style) {
  const PixelRect rect = scale_.Rect(DesignedPlace(place));
  const HWND control = CreateWindowExA(ex_style, window_class, text, WS_CHILD | style, rect.x, rect.y,
                                       rect.width, rect.height, dialog_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                       nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void Win32Form3::Impl::CreateControls() {
  regular_font_ = MakeDialogFont(FW_NORMAL, USER_DEFAULT_SCREEN_DPI);
  bold_font_ = MakeDialogFont(FW_BOLD, USER_DEFAULT_SCREEN_DPI);
  const HFONT regular = regular_font_.get();
  const HFONT bold = bold_font_.get();
  SendMessageA(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(regular), FALSE);

  constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  constexpr DWORD kField = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;
  // Creation order is the focus order: Hours, Minutes, Cancel, Ok, the skin
  // strip, Autorun.
  CreateControl("STATIC", "Alarm Interval:", kLabel, kIntervalLabelId, Form3Control::IntervalLabel, bold);
  SubclassField(CreateControl("EDIT", "0", kField, kHoursId, Form3Control::Hours, regular, WS_EX_CLIENTEDGE));
  CreateControl("STATIC", ":", kLabel, kColonLabelId, Form3Control::Colon, bold);
  SubclassField(CreateControl("EDIT", "0", kField, kMinutesId, Form3Control::Minutes, regular, WS_EX_CLIENTEDGE));
  CreateControl("STATIC", "Minutes", kLabel, kMinutesLabelId, Form3Control::MinutesLabel, regular);
  CreateControl("STATIC", "Skins:", kLabel, kSkinsLabelId, Form3Control::SkinsLabel, bold);
  CreateControl("BUTTON", "Cancel", kButton | BS_PUSHBUTTON, IDCANCEL, Form3Control::Cancel, regular);
  CreateControl("BUTTON", "Ok", kButton | BS_DEFPUSHBUTTON, IDOK, Form3Control::Command1, regular);
  strip_ = std::make_unique<Win32SkinPicker>(dialog_, instance_, form_.Picker(),
                                             [this](int index) { form_.ThumbnailClicked(index); },
                                             [this](StripKey key) { form_.ThumbnailKeyPressed(key); }, scale_);
  hours_accessible_.emplace(hours_content_);
  minutes_accessible_.emplace(minutes_content_);
  CreateControl("BUTTON", "Autorun", kButton | BS_AUTOCHECKBOX, kAutorunId, Form3Control::Check1, regular);
  // Browse lies beyond the right edge and is never shown.
  CreateControl("BUTTON", "Browse", BS_PUSHBUTTON, kBrowseId, Form3Control::Command2, regular);
}

void Win32Form3::Impl::SubclassField(HWND field) {
  field_base_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
}

LRESULT CALLBACK Win32Form3::Impl::FieldProc(HWND field, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
  Impl* impl = FromDialog(GetParent(field));
  if (message == WM_CHAR && !IntervalKeyPasses(static_cast<char16_t>(wparam))) return 0;
  if (message == WM_GETOBJECT) {
    auto& host = GetDlgCtrlID(field) == kHoursId ? impl->hours_accessible_ : impl->minutes_accessible_;
    if (host) {
      if (const auto answer = host->Answer(field, wparam, lparam)) return *answer;
    }
  }
  const LRESULT result = CallWindowProcA(impl->field_base_proc_, field, message, wparam, lparam);
  if (message == WM_SETFOCUS && impl->EntersField(reinterpret_cast<HWND>(wparam))) {
    impl->form_.FieldFocused(GetDlgCtrlID(field) == kHoursId ? IntervalField::Hours
                                                             : IntervalField::Minutes);
  }
  return result;
}

// Focus coming back from a window the dialog owns (its message box) does not
// count as the user entering the field.
bool Win32Form3::Impl::EntersField(HWND previous_focus) const {
  if (!previous_focus) return true;
  const HWND root = GetAncestor(previous_focus, GA_ROOT);
  return root == dialog_ || GetWindow(root, GW_OWNER) != dialog_;
}

void Win32Form3::Impl::SetFieldText(IntervalField field, const Text& text) {
  SetWindowTextFrom(FieldWindow(field), text);
}

void Win32Form3::Impl::SetCaption(DialogCaption which, const Text& text) {
  switch (which) {
    case DialogCaption::Title: SetWindowTextFrom(dialog_, text); return;
    case DialogCaption::IntervalLabel:
      SetWindowTextFrom(Control(kIntervalLabelId), text);
      FitLabelToText(Control(kIntervalLabelId), scale_);
      return;
    case DialogCaption::MinutesLabel:
      SetWindowTextFrom(Control(kMinutesLabelId), text);
      FitLabelToText(Control(kMinutesLabelId), scale_);
      return;
    case DialogCaption::SkinsLabel:
      SetWindowTextFrom(Control(kSkinsLabelId), text);
      FitLabelToText(Control(kSkinsLabelId), scale_);
      strip_->SetName(text);
      return;
    case DialogCaption::OkButton: SetWindowTextFrom(Control(IDOK), text); return;
    case DialogCaption::CancelButton: SetWindowTextFrom(Control(IDCANCEL), text); return;
  }
}

void Win32Form3::Impl::ShowMessage(const Text& message) {
  MessageBoxA(dialog_, ToAnsi(message).c_str(), ToAnsi(kApplicationTitle).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void Win32Form3::Impl::Close() {
  if (!dialog_) return;
  KillTimer(dialog_, kThumbnailTimer);
  if (!destroying_) DestroyWindow(dialog_);
}

void Win32Form3::Impl::LayOutIntervalRowNow() {
  const HWND label = Control(kIntervalLabelId);
  if (!label) return;
  // The row's gaps are logical pixels: worked out in those, placed in the
  // monitor's.
  const auto logical_width = [this](HWND control) { return scale_.Logical(WidthOf(control)); };
  const IntervalRow row = LayOutIntervalRow(
      scale_.Logical(RectOnDialog(label).left), logical_width(label), logical_width(Control(kHoursId)),
      logical_width(Control(kColonLabelId)), logical_width(Control(kMinutesId)));
  MoveLeftTo(Control(kHoursId), scale_.Length(row.hours_left));
  MoveLeftTo(Control(kColonLabelId), scale_.Length(row.colon_left));
  MoveLeftTo(Control(kMinutesId), scale_.Length(row.minutes_left));
  MoveLeftTo(Control(kMinutesLabelId), scale_.Length(row.minutes_label_left));
}

void Win32Form3::Impl::PlaceOnScreen() {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const PixelRect place = CentredOn({work.left, work.top, work.right - work.left, work.bottom - work.top},
                                    FrameSize());
  SetWindowPos(dialog_, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Text Win32Form3::Impl::ChooseBackgroundFile(const Text& directory) {
  Text filter = kBrowseFilter;
  int32_t filter_index = 0;
  return ShowFileDialog(dialog_, directory, filter, filter_index, u"Load", 1, kListViewCommand);
}

Win32Form3::Win32Form3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path,
                               void* instance)
    : impl_(std::make_unique<Impl>(reg, ini, panel, std::move(exe_path),
                                   static_cast<HINSTANCE>(instance))) {}

Win32Form3::~Win32Form3() = default;

void Win32Form3::Show() { impl_->Show(); }
void Win32Form3::CloseWithoutStoring() { impl_->CloseWithoutStoring(); }
bool Win32Form3::IsOpen() const { return impl_->IsOpen(); }
bool Win32Form3::PreTranslate(void* msg) { return impl_->PreTranslate(static_cast<MSG*>(msg)); }
void* Win32Form3::Window() const { return impl_->window(); }

}  // namespace quorbel
