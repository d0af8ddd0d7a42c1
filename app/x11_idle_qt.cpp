#include "app/x11_idle_qt.h"

#include <QGuiApplication>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>


namespace quorbel {
namespace {

xcb_connection_t* QtConnection() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

bool HasScreenSaverExtension(xcb_connection_t* connection) {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
  return extension && extension->present;
}

}  // namespace

X11IdleProbe::X11IdleProbe() {
  xcb_connection_t* connection = QtConnection();
  if (!connection || !HasScreenSaverExtension(connection)) return;
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  if (!screens.rem) return;
  connection_ = connection;
  root_ = screens.data->root;
}

std::optional<uint32_t> X11IdleProbe::IdleMs() {
  if (!connection_) return std::nullopt;
  auto* connection = static_cast<xcb_connection_t*>(connection_);
  const std::unique_ptr<xcb_screensaver_query_info_reply_t, decltype(&std::free)> reply(
      xcb_screensaver_query_info_reply(connection, xcb_screensaver_query_info(connection, root_), nullptr),
      &std::free);
  if (!reply) return std::nullopt;
  return reply->ms_since_user_input;
}


}  // namespace quorbel
