# The Windows tray icon and tray-menu host.
add_library(quorbel_tray_win32 STATIC tray_icon_win32.cpp form4_win32.cpp)
target_link_libraries(quorbel_tray_win32 PUBLIC quorbel_tray PRIVATE shell32 winmm user32)

quorbel_add_gtest(tray_win32_tests ADAPTER
  SOURCES tests/tray_icon_win32_test.cpp tests/form4_win32_test.cpp
  LIBS quorbel_tray_win32)
