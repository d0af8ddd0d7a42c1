# The Windows program and the data files that ship beside it.

add_library(quorbel_app_win32 STATIC
  ${CMAKE_CURRENT_LIST_DIR}/app_paths_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cycle_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dde_link_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/do_not_disturb_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_window_win32.cpp)
target_link_libraries(quorbel_app_win32 PUBLIC
  quorbel_cycle quorbel_app_host quorbel_app_place quorbel_settings_win32 quorbel_panel_win32 quorbel_tray_win32 quorbel_dialog_win32
  user32 gdi32 gdiplus advapi32 shell32 winmm)

add_executable(QuorbelClock WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources/quorbel.rc)
target_link_libraries(QuorbelClock PRIVATE quorbel_app_win32)
# windres reads the manifest itself; the build does not see that on its own.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/resources/quorbel.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/resources/quorbel.manifest)
set_target_properties(QuorbelClock PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Config.ini, skins, sprites and sounds live beside the executable.
add_custom_command(TARGET QuorbelClock POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/bin
  VERBATIM)

# The cycle's timers on the message loop, by the contract both platforms keep.
quorbel_add_gtest(app_cycle_ports_win32_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/cycle_ports_contract_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/cycle_ports_driver_win32.cpp
  LIBS quorbel_app_win32)

# The panel window to assistive technology (its accessible object and alert),
# and its logical figures on a monitor of any DPI.
quorbel_add_gtest(app_panel_window_win32_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/panel_window_win32_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/panel_window_dpi_win32_test.cpp
  LIBS quorbel_app_win32)

# The shell's do-not-disturb state as the running system reports it.
quorbel_add_gtest(app_do_not_disturb_win32_tests ADAPTER
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/do_not_disturb_win32_test.cpp
  LIBS quorbel_app_win32)
