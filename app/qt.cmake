# The Linux program: the cycle's timers and idle sources, sounds, the single
# instance, the panel window, and quorbel-clock with its data beside it.
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus)
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUORBEL_XCB_IDLE REQUIRED IMPORTED_TARGET xcb xcb-screensaver)
pkg_check_modules(QUORBEL_CANBERRA REQUIRED libcanberra)
pkg_check_modules(QUORBEL_WAYLAND REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(QUORBEL_WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT QUORBEL_WAYLAND_SCANNER)
  message(FATAL_ERROR "wayland-scanner is needed (./scripts/setup.sh installs it)")
endif()

# The client side of the Wayland idle notifications, generated from the
# protocol's description.
set(QUORBEL_IDLE_NOTIFY_XML ${CMAKE_CURRENT_LIST_DIR}/protocols/ext-idle-notify-v1.xml)
set(QUORBEL_IDLE_NOTIFY_DIR ${CMAKE_CURRENT_BINARY_DIR}/wayland)
add_custom_command(
  OUTPUT ${QUORBEL_IDLE_NOTIFY_DIR}/ext-idle-notify-v1-client-protocol.h
         ${QUORBEL_IDLE_NOTIFY_DIR}/ext-idle-notify-v1-protocol.c
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORBEL_IDLE_NOTIFY_DIR}
  COMMAND ${QUORBEL_WAYLAND_SCANNER} client-header ${QUORBEL_IDLE_NOTIFY_XML}
          ${QUORBEL_IDLE_NOTIFY_DIR}/ext-idle-notify-v1-client-protocol.h
  COMMAND ${QUORBEL_WAYLAND_SCANNER} private-code ${QUORBEL_IDLE_NOTIFY_XML}
          ${QUORBEL_IDLE_NOTIFY_DIR}/ext-idle-notify-v1-protocol.c
  DEPENDS ${QUORBEL_IDLE_NOTIFY_XML}
  VERBATIM)

add_library(quorbel_app_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/boot_clock_linux.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cycle_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/do_not_disturb_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/idle_dbus_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/idle_wayland_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_end_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_idle_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_idle_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_full_screen_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_canberra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/local_socket_posix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_watch_qt.cpp
  ${QUORBEL_IDLE_NOTIFY_DIR}/ext-idle-notify-v1-protocol.c)
set_target_properties(quorbel_app_qt PROPERTIES AUTOMOC ON)
# libcanberra's header only: the library is opened for each sound.
target_include_directories(quorbel_app_qt PRIVATE ${QUORBEL_IDLE_NOTIFY_DIR} ${QUORBEL_CANBERRA_INCLUDE_DIRS})
target_link_libraries(quorbel_app_qt PUBLIC
  quorbel_cycle quorbel_app_host Qt6::Widgets Qt6::DBus
  PkgConfig::QUORBEL_XCB_IDLE PkgConfig::QUORBEL_WAYLAND ${CMAKE_DL_LIBS})

quorbel_add_gtest(app_qt_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/host_qt_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/session_idle_qt_test.cpp
  LIBS quorbel_app_qt quorbel_cycle_testing quorbel_qt_offscreen_app)
if(TARGET app_qt_tests)
  # The idle sources' desktop and the sound player: test programs of
  # tests/support.
  add_dependencies(app_qt_tests quorbel-fake-desktop quorbel-play-sound)
  target_compile_definitions(app_qt_tests PRIVATE QUORBEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
                             QUORBEL_FAKE_DESKTOP="$<TARGET_FILE:quorbel-fake-desktop>"
                             QUORBEL_PLAY_SOUND="$<TARGET_FILE:quorbel-play-sound>")
endif()

# The desktops' do-not-disturb services, faked on a private bus.
quorbel_add_gtest(app_do_not_disturb_qt_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/do_not_disturb_qt_test.cpp
  LIBS quorbel_app_qt quorbel_qt_offscreen_app)

# The cycle's timers on the Qt loop, by the contract both platforms keep.
quorbel_add_gtest(app_cycle_ports_qt_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/cycle_ports_contract_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/cycle_ports_driver_qt.cpp
  LIBS quorbel_app_qt quorbel_qt_offscreen_app)

quorbel_add_gtest(app_lifecycle_qt_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/program_end_qt_test.cpp
  LIBS quorbel_app_qt quorbel_qt_offscreen_app)

# The Wayland idle source against a headless KWin.
quorbel_add_gtest(app_wayland_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/wayland_idle_qt_test.cpp
  LIBS quorbel_app_qt quorbel_qt_offscreen_app)

# The panel's window, placed on the primary screen.
add_library(quorbel_panel_window_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/panel_window_qt.cpp)
target_link_libraries(quorbel_panel_window_qt PUBLIC quorbel_app_place quorbel_panel_qt Qt6::Widgets)
quorbel_add_gtest(app_panel_window_qt_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/panel_window_qt_test.cpp
  LIBS quorbel_panel_window_qt)

add_executable(quorbel-clock
  ${CMAKE_CURRENT_LIST_DIR}/form1_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_qt.cpp)
target_link_libraries(quorbel-clock PRIVATE
  quorbel_app_qt quorbel_panel_window_qt quorbel_app_place quorbel_settings quorbel_panel_qt quorbel_tray_qt quorbel_dialog_qt)
qt_add_resources(quorbel-clock "icon" PREFIX "/" BASE ${CMAKE_CURRENT_LIST_DIR}/resources
  FILES ${CMAKE_CURRENT_LIST_DIR}/resources/quorbel.ico)
set_target_properties(quorbel-clock PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Config.ini, skins, sprites and sounds lie beside the program in the build
# tree and under share/quorbel-clock once installed.
add_custom_command(TARGET quorbel-clock POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/bin
  VERBATIM)
install(TARGETS quorbel-clock RUNTIME DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION share/quorbel-clock)
