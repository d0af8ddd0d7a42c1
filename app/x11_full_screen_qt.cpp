#include "app/x11_full_screen_qt.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace quorbel {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* QtConnection() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
                            nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

ReplyPtr<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                            xcb_atom_t property, uint32_t max_items) {
  return {xcb_get_property_reply(
              connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, max_items), nullptr),
          &std::free};
}

}  // namespace

std::optional<bool> ActiveWindowIsFullScreen() {
  xcb_connection_t* connection = QtConnection();
  if (!connection) return std::nullopt;
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  if (!screens.rem) return std::nullopt;
  // Only-if-exists atoms: a window manager that never made them has nothing
  // to say.
  const xcb_atom_t active_atom = Atom(connection, "_NET_ACTIVE_WINDOW");
  const xcb_atom_t state_atom = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t full_screen_atom = Atom(connection, "_NET_WM_STATE_FULLSCREEN");
  if (active_atom == XCB_ATOM_NONE || state_atom == XCB_ATOM_NONE) return std::nullopt;

  const auto active = Property(connection, screens.data->root, active_atom, 1);
  if (!active || active->format != 32 || xcb_get_property_value_length(active.get()) < 4) return std::nullopt;
  const xcb_window_t window = *static_cast<const xcb_window_t*>(xcb_get_property_value(active.get()));
  if (window == XCB_WINDOW_NONE) return std::nullopt;
  if (full_screen_atom == XCB_ATOM_NONE) return false;

  const auto state = Property(connection, window, state_atom, 64);
  if (!state || state->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
  const int count = xcb_get_property_value_length(state.get()) / 4;
  for (int index = 0; index < count; ++index) {
    if (atoms[index] == full_screen_atom) return true;
  }
  return false;
}

}  // namespace quorbel
