#include "dialog/form3_qt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

#include "common/native_path.h"
#include "dialog/form3.h"
#include "dialog/settings_window_qt.h"

namespace quorbel {

namespace {

// The thumbnail's light band moves once per frame of the display, as
// often as a Windows 1 ms timer actually ticks.
constexpr int kThumbnailTimerMs = 16;
constexpr char kBrowseFilter[] = "JPEG (*.jpg *.jpeg);;GIF (*.gif);;BMP (*.bmp);;PNG (*.png)";

QString ToQString(const Text& text) { return QString::fromStdU16String(text); }
Text FromQString(const QString& text) { return text.toStdU16String(); }

}  // namespace

class QtForm3::Impl final : public Form3View {
 public:
  Impl(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path)
      : form_(reg, ini, panel, std::move(exe_path)) {}

  ~Impl() override { form_.CloseWithoutStoring(); }

  void Show();
  void CloseWithoutStoring() { form_.CloseWithoutStoring(); }
  QWidget* Window() const { return window_.get(); }

  Text FieldText(IntervalField field) const override {
    return FromQString(window_->Field(field).text());
  }
  void SetFieldText(IntervalField field, const Text& text) override {
    window_->Field(field).setText(ToQString(text));
  }
  bool AutorunChecked() const override { return window_->autorun.isChecked(); }
  void SetAutorunChecked(bool checked) override { window_->autorun.setChecked(checked); }
  void SetCaption(DialogCaption which, const Text& text) override;
  void ShowSkinStrip(const std::vector<Text>& thumbnail_paths) override {
    window_->strip.Build(thumbnail_paths);
  }
  void StartThumbnailTimer() override { window_->thumbnail_timer.start(kThumbnailTimerMs); }
  void RedrawThumbnail(int index) override { window_->strip.Redraw(index); }
  void RevealThumbnail(int index) override { window_->strip.Reveal(index); }
  void NameField(IntervalField field, const Text& name) override {
    window_->Field(field).setAccessibleName(ToQString(name));
  }
  void ShowMessage(const Text& message) override;
  Text ChooseBackgroundFile(const Text& directory) override;
  void Close() override;

 private:
  void Open();
  void Connect();
  // Frees a closed window once no message box of it is on the stack: the
  // box's own event loop must not see its parent go.
  void FreeClosedWindowLater();

  Form3 form_;
  // Outlives the windows it frees after their own events have returned.
  QObject deferred_;
  std::unique_ptr<QtSettingsWindow> window_;
  std::unique_ptr<QtSettingsWindow> closing_;
  QPointer<QMessageBox> open_box_;
};

void QtForm3::Impl::Show() {
  if (window_) {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
    return;
  }
  Open();
}

void QtForm3::Impl::Open() {
  closing_.reset();
  window_ = std::make_unique<QtSettingsWindow>(
      form_.Picker(), [this](int index) { form_.ThumbnailClicked(index); },
      [this](StripKey key) { form_.ThumbnailKeyPressed(key); },
      QtSettingsWindow::Events{[this] { form_.Cancel(); }, [this] { form_.CloseWithoutStoring(); },
                             [this](IntervalField field) { form_.FieldFocused(field); }});
  Connect();
  form_.Load(*this);
  if (!window_) return;
  window_->LayOutIntervalRowNow();
  window_->PlaceOnScreen();
  window_->show();
  window_->activateWindow();
  // As the keyboard would give it: the text selected, so typing replaces it
  // (the window may become active only later, which selects nothing).
  window_->hours.setFocus(Qt::TabFocusReason);
  window_->hours.selectAll();
  form_.FieldFocused(IntervalField::Hours);
}

void QtForm3::Impl::Connect() {
  QtSettingsWindow& window = *window_;
  QObject::connect(&window.ok, &QPushButton::clicked, &window, [this] { form_.Ok(); });
  QObject::connect(&window.cancel, &QPushButton::clicked, &window, [this] { form_.Cancel(); });
  QObject::connect(&window.autorun, &QCheckBox::clicked, &window, [this] { form_.AutorunClicked(); });
  QObject::connect(&window.browse, &QPushButton::clicked, &window, [this] { form_.BrowseClicked(); });
  QObject::connect(&window.thumbnail_timer, &QTimer::timeout, &window, [this] { form_.TimerTick(); });
  for (const IntervalField field : {IntervalField::Hours, IntervalField::Minutes}) {
    QObject::connect(&window.Field(field), &QLineEdit::textChanged, &window,
                     [this, field] { form_.FieldChanged(field); });
  }
}

void QtForm3::Impl::SetCaption(DialogCaption which, const Text& text) {
  QtSettingsWindow& window = *window_;
  const QString caption = ToQString(text);
  const auto set_label = [&caption](QLabel& label) {
    label.setText(caption);
    QtSettingsWindow::FitLabelToText(label);
  };
  switch (which) {
    case DialogCaption::Title: window.setWindowTitle(caption); return;
    case DialogCaption::IntervalLabel: set_label(window.interval_label); return;
    case DialogCaption::MinutesLabel: set_label(window.minutes_label); return;
    case DialogCaption::SkinsLabel:
      set_label(window.skins_label);
      window.strip.Viewport().setAccessibleName(caption);
      return;
    case DialogCaption::OkButton: window.ok.setText(caption); return;
    case DialogCaption::CancelButton: window.cancel.setText(caption); return;
  }
}

void QtForm3::Impl::ShowMessage(const Text& message) {
  QMessageBox box(QMessageBox::Information, ToQString(kApplicationTitle), ToQString(message),
                  QMessageBox::Ok, window_.get());
  open_box_ = &box;
  box.exec();
  if (closing_) FreeClosedWindowLater();
}

void QtForm3::Impl::Close() {
  if (!window_) return;
  window_->thumbnail_timer.stop();
  window_->hide();
  // A message of the closing dialog goes with it (Exit picked while it was open).
  if (open_box_) open_box_->done(QMessageBox::Ok);
  // The window may be closing from inside one of its own buttons' signals.
  closing_ = std::move(window_);
  FreeClosedWindowLater();
}

void QtForm3::Impl::FreeClosedWindowLater() {
  QTimer::singleShot(0, &deferred_, [this] {
    if (!form_.MessageOpen()) closing_.reset();
  });
}

Text QtForm3::Impl::ChooseBackgroundFile(const Text& directory) {
  const QString path = QFileDialog::getOpenFileName(window_.get(), QStringLiteral("Load"),
                                                    ToQString(SlashPath(directory)),
                                                    QString::fromLatin1(kBrowseFilter));
  return FromQString(path);
}

QtForm3::QtForm3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path)
    : impl_(std::make_unique<Impl>(reg, ini, panel, std::move(exe_path))) {}

QtForm3::~QtForm3() = default;

void QtForm3::Show() { impl_->Show(); }
void QtForm3::CloseWithoutStoring() { impl_->CloseWithoutStoring(); }
bool QtForm3::IsOpen() const { return impl_->Window() != nullptr; }
QWidget* QtForm3::Window() const { return impl_->Window(); }

}  // namespace quorbel
