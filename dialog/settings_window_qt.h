#pragma once
// The settings dialog's window and controls at their places, in their focus
// order, with the interval fields' key filter. What the controls do is wired
// by the dialog (form3_qt.cpp); this only reports the events Qt's own dialog
// handling would otherwise take: Esc, the title bar's close button and a
// field being entered.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "dialog/form3.h"
#include "dialog/skin_picker_qt.h"

namespace quorbel {

// A check box that takes a click anywhere on it, as a Windows one does, not
// only on its mark and text.
class WholeCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

class QtSettingsWindow : public QDialog {
 public:
  struct Events {
    std::function<void()> escape;
    std::function<void()> close_button;
    // The user entered the field (Tab, a click, the window coming back),
    // not its own context menu closing.
    std::function<void(IntervalField)> field_entered;
  };

  QtSettingsWindow(const SkinPicker& picker, QtSkinPicker::ClickHandler on_thumbnail_click,
                   QtSkinPicker::KeyHandler on_strip_key, Events events);

  QLineEdit& Field(IntervalField field) { return field == IntervalField::Hours ? hours : minutes; }
  // A label's size follows its text.
  static void FitLabelToText(QLabel& label);
  // The interval row from left to right after the interval caption.
  void LayOutIntervalRowNow();
  void PlaceOnScreen();

  // Declared in creation order, which is the focus order of those that take
  // it: Hours, Minutes, Cancel, Ok, the skin strip, Autorun.
  QLabel interval_label{this};
  QLineEdit hours{this};
  QLabel colon_label{this};
  QLineEdit minutes{this};
  QLabel minutes_label{this};
  QLabel skins_label{this};
  QPushButton cancel{this};
  QPushButton ok{this};
  QtSkinPicker strip;
  WholeCheckBox autorun{this};
  // Browse lies beyond the right edge and is never shown.
  QPushButton browse{this};
  QTimer thumbnail_timer{this};

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Events events_;
};

}  // namespace quorbel
