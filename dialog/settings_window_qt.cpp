#include "dialog/settings_window_qt.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace quorbel {

namespace {

constexpr int kLabelHeight = 13;

// "MS Sans Serif" 8.25 pt, or the sans serif Wine puts in its place.
QFont DialogFont(bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(8.25);
  font.setBold(bold);
  return font;
}

QRect ToQRect(const PixelRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

void PlaceLabel(QLabel& label, const char* name, const char* text, Form3Control place, bool bold) {
  label.setObjectName(QString::fromLatin1(name));
  label.setTextFormat(Qt::PlainText);  // an "&" is shown, as it is not an access key here
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setFont(DialogFont(bold));
  label.setText(QString::fromLatin1(text));
  label.move(ToQRect(DesignedPlace(place)).topLeft());
  QtSettingsWindow::FitLabelToText(label);
}

void PlaceControl(QWidget& control, const char* name, Form3Control place) {
  control.setObjectName(QString::fromLatin1(name));
  control.setGeometry(ToQRect(DesignedPlace(place)));
}

// Keys that give the field no character on Windows either: its editing and
// the dialog's own keys (Enter is Ok, Esc is Cancel, Tab moves on).
bool IsKeyWithoutCharacter(int key) {
  switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

bool KeyPassesFilter(const QKeyEvent& key) {
  if (IsKeyWithoutCharacter(key.key())) return true;
  const QString text = key.text();
  return std::all_of(text.begin(), text.end(),
                     [](QChar c) { return IntervalKeyPasses(static_cast<char16_t>(c.unicode())); });
}

}  // namespace

QtSettingsWindow::QtSettingsWindow(const SkinPicker& picker, QtSkinPicker::ClickHandler on_thumbnail_click,
                                   QtSkinPicker::KeyHandler on_strip_key, Events events)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      strip(*this, picker, std::move(on_thumbnail_click), std::move(on_strip_key)),
      events_(std::move(events)) {
  setObjectName(QStringLiteral("Form3"));
  setFont(DialogFont(false));
  setFixedSize(kForm3ClientSize.width, kForm3ClientSize.height);
  setSizeGripEnabled(false);

  PlaceLabel(interval_label, "Label1_0", "Alarm Interval:", Form3Control::IntervalLabel, true);
  PlaceControl(hours, "Hours", Form3Control::Hours);
  PlaceLabel(colon_label, "Label3", ":", Form3Control::Colon, true);
  PlaceControl(minutes, "Minutes", Form3Control::Minutes);
  PlaceLabel(minutes_label, "Label2", "Minutes", Form3Control::MinutesLabel, false);
  PlaceLabel(skins_label, "Label1_1", "Skins:", Form3Control::SkinsLabel, true);
  PlaceControl(cancel, "Cancel", Form3Control::Cancel);
  PlaceControl(ok, "Command1", Form3Control::Command1);
  PlaceControl(autorun, "Check1", Form3Control::Check1);
  PlaceControl(browse, "Command2", Form3Control::Command2);
  thumbnail_timer.setObjectName(QStringLiteral("Timer1"));

  for (QLineEdit* field : {&hours, &minutes}) {
    field->setText(QStringLiteral("0"));
    field->installEventFilter(this);
  }
  cancel.setText(QStringLiteral("Cancel"));
  ok.setText(QStringLiteral("Ok"));
  ok.setDefault(true);
  autorun.setText(QStringLiteral("Autorun"));
  browse.setText(QStringLiteral("Browse"));
  browse.hide();
}

void QtSettingsWindow::FitLabelToText(QLabel& label) {
  label.resize(QFontMetrics(label.font()).horizontalAdvance(label.text()), kLabelHeight);
}

void QtSettingsWindow::LayOutIntervalRowNow() {
  const IntervalRow row = LayOutIntervalRow(interval_label.x(), interval_label.width(), hours.width(),
                                            colon_label.width(), minutes.width());
  hours.move(row.hours_left, hours.y());
  colon_label.move(row.colon_left, colon_label.y());
  minutes.move(row.minutes_left, minutes.y());
  minutes_label.move(row.minutes_label_left, minutes_label.y());
}

void QtSettingsWindow::PlaceOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect work = screen->availableGeometry();
  const PixelRect place = CentredOn({work.x(), work.y(), work.width(), work.height()}, {width(), height()});
  move(place.x, place.y);
}

// QDialog's answer to Esc.
void QtSettingsWindow::reject() {
  if (events_.escape) events_.escape();
}

void QtSettingsWindow::closeEvent(QCloseEvent* event) {
  event->ignore();  // the dialog closes itself, or stays open, as the logic decides
  if (events_.close_button) events_.close_button();
}

void QtSettingsWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOutIntervalRowNow();
}

bool QtSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  const IntervalField field = watched == &hours ? IntervalField::Hours : IntervalField::Minutes;
  if (event->type() == QEvent::KeyPress) return !KeyPassesFilter(*static_cast<QKeyEvent*>(event));
  if (event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && events_.field_entered) {
    events_.field_entered(field);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quorbel
