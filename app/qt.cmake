# The Linux program: the cycle's timers and idle source, sounds, the single
# instance, the panel window, and quorbel-clock with its data beside it.
find_package(Qt6 REQUIRED COMPONENTS Widgets Network)
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUORBEL_XCB_IDLE REQUIRED IMPORTED_TARGET xcb xcb-screensaver)
pkg_check_modules(QUORBEL_CANBERRA REQUIRED IMPORTED_TARGET libcanberra)

add_library(quorbel_app_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cycle_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_idle_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_canberra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance_qt.cpp)
target_link_libraries(quorbel_app_qt PUBLIC
  quorbel_cycle quorbel_app_host Qt6::Widgets Qt6::Network
  PkgConfig::QUORBEL_XCB_IDLE PkgConfig::QUORBEL_CANBERRA)

quorbel_add_gtest(app_qt_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/host_qt_test.cpp
  LIBS quorbel_app_qt quorbel_qt_offscreen_app)
if(TARGET app_qt_tests)
  target_compile_definitions(app_qt_tests PRIVATE QUORBEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()

add_executable(quorbel-clock
  ${CMAKE_CURRENT_LIST_DIR}/form1_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_qt.cpp)
target_link_libraries(quorbel-clock PRIVATE
  quorbel_app_qt quorbel_settings quorbel_panel_qt quorbel_tray_qt quorbel_dialog_qt)
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
