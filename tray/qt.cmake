# The tray icon and the tray menu host for the native Linux program.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_library(quorbel_tray_qt STATIC tray_icon_qt.cpp form4_qt.cpp)
target_link_libraries(quorbel_tray_qt PUBLIC quorbel_tray Qt6::Widgets)

if(QUORBEL_TESTS)
  quorbel_add_gtest(tray_qt_tests ADAPTER
    SOURCES tests/tray_icon_qt_test.cpp tests/form4_qt_test.cpp
    LIBS quorbel_tray_qt quorbel_qt_offscreen_app Qt6::Test)
  set_target_properties(tray_qt_tests PROPERTIES AUTOMOC ON)
endif()
