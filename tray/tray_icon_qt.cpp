#include "tray/tray_icon_qt.h"

#include <QSystemTrayIcon>

namespace quorbel {
namespace {

// A left press is a Click (as the button-down message is on Windows), a
// second one a DblClick, the context request (right button) a RightClick.
std::optional<TrayEvent> EventForActivation(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return TrayEvent::Click;
    case QSystemTrayIcon::DoubleClick:
      return TrayEvent::DblClick;
    case QSystemTrayIcon::Context:
      return TrayEvent::RightClick;
    default:
      return std::nullopt;
  }
}

}  // namespace

struct QtTrayIcon::Impl {
  explicit Impl(TrayIconEvents handlers) : events(std::move(handlers)) {}

  void Raise(TrayEvent event) const {
    const std::function<void()>& handler = event == TrayEvent::Click      ? events.click
                                           : event == TrayEvent::DblClick ? events.dbl_click
                                                                          : events.right_click;
    if (handler) handler();
  }

  TrayIconEvents events;
  Text screen_tip = kNewControlScreenTip;
  QSystemTrayIcon icon;
};

QtTrayIcon::QtTrayIcon(TrayIconEvents events) : impl_(std::make_unique<Impl>(std::move(events))) {
  QObject::connect(&impl_->icon, &QSystemTrayIcon::activated, &impl_->icon,
                   [impl = impl_.get()](QSystemTrayIcon::ActivationReason reason) {
                     if (const auto event = EventForActivation(reason)) impl->Raise(*event);
                   });
}

QtTrayIcon::~QtTrayIcon() { Remove(); }

void QtTrayIcon::Add(const QIcon& icon) {
  impl_->icon.setIcon(icon);
  impl_->icon.setToolTip(QString::fromStdU16String(impl_->screen_tip.substr(0, kTipFieldChars)));
  impl_->icon.show();
}

void QtTrayIcon::Remove() { impl_->icon.hide(); }

const Text& QtTrayIcon::ScreenTip() const { return impl_->screen_tip; }

void QtTrayIcon::SetScreenTip(Text tip) { impl_->screen_tip = std::move(tip); }

QSystemTrayIcon& QtTrayIcon::Icon() const { return impl_->icon; }

}  // namespace quorbel
