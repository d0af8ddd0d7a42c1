#pragma once
// The Linux desktops' do-not-disturb states, asked only when a reminder is
// due or held: the notification server's Inhibited property (KDE and
// others), GNOME's banners switch, XFCE's notification daemon, and a full
// screen active window on X11. Every D-Bus call and the settings tool run
// asynchronously; a desktop that hangs only delays the answer.
#include <QDBusConnection>
#include <QObject>

#include <list>
#include <memory>

#include "app/do_not_disturb.h"

namespace quorbel {

class DisturbQuestion;

class QtDoNotDisturb final : public QObject, public DoNotDisturb {
 public:
  explicit QtDoNotDisturb(QDBusConnection bus);
  ~QtDoNotDisturb() override;
  void Ask(Answer answer) override;

 private:
  QDBusConnection bus_;
  // Questions still waiting for a source; each removes itself a loop turn
  // after its verdict.
  std::list<std::unique_ptr<DisturbQuestion>> questions_;
};

}  // namespace quorbel
