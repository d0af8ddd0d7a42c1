#include "tray/tray_icon_qt.h"

#include <QSystemTrayIcon>

namespace quorbel {
namespace {

constexpr bool SameNumber(QSystemTrayIcon::ActivationReason reason, TrayActivation activation) {
  return static_cast<int>(reason) == static_cast<int>(activation);
}
static_assert(SameNumber(QSystemTrayIcon::Unknown, TrayActivation::Unknown) &&
              SameNumber(QSystemTrayIcon::Context, TrayActivation::Context) &&
              SameNumber(QSystemTrayIcon::DoubleClick, TrayActivation::DoubleClick) &&
              SameNumber(QSystemTrayIcon::Trigger, TrayActivation::Trigger) &&
              SameNumber(QSystemTrayIcon::MiddleClick, TrayActivation::MiddleClick));

}  // namespace

struct QtTrayIcon::Impl {
  explicit Impl(TrayIconEvents events) : control(std::move(events)) {}

  TrayIcon control;
  QSystemTrayIcon icon;
};

QtTrayIcon::QtTrayIcon(TrayIconEvents events) : impl_(std::make_unique<Impl>(std::move(events))) {
  QObject::connect(&impl_->icon, &QSystemTrayIcon::activated, &impl_->icon,
                   [impl = impl_.get()](QSystemTrayIcon::ActivationReason reason) {
                     impl->control.Activated(static_cast<TrayActivation>(reason));
                   });
}

QtTrayIcon::~QtTrayIcon() { Remove(); }

void QtTrayIcon::Add(const QIcon& icon) {
  impl_->icon.setIcon(icon);
  impl_->icon.setToolTip(QString::fromStdU16String(ShownTip(impl_->control.ScreenTip())));
  impl_->icon.show();
  impl_->control.Added();
}

void QtTrayIcon::Remove() {
  impl_->icon.hide();
  impl_->control.Removed();
}

const Text& QtTrayIcon::ScreenTip() const { return impl_->control.ScreenTip(); }

void QtTrayIcon::SetScreenTip(Text tip) { impl_->control.SetScreenTip(std::move(tip)); }

QSystemTrayIcon& QtTrayIcon::Icon() const { return impl_->icon; }

}  // namespace quorbel
