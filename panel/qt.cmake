# The Linux panel renderer over QPainter, its preview tool and its pixel tests.
add_library(quorbel_panel_qt STATIC
  module1_qt.cpp
  painter_qt.cpp
  panel_renderer_qt.cpp)
target_link_libraries(quorbel_panel_qt PUBLIC quorbel_panel quorbel_panel_content quorbel_common_qt Qt6::Gui)

add_executable(quorbel-preview preview_qt.cpp)
target_link_libraries(quorbel-preview PRIVATE
  quorbel_panel_qt quorbel_panel_preview quorbel_settings)
set_target_properties(quorbel-preview PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The tool renders from the program's data: beside it in the build tree, the
# program's installed share/quorbel-clock beside the installed tool.
add_custom_command(TARGET quorbel-preview POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/bin
  VERBATIM)
install(TARGETS quorbel-preview RUNTIME DESTINATION bin)

if(QUORBEL_TESTS)
  # Its own main: text drawing needs a GUI application, on the offscreen platform.
  add_executable(panel_qt_tests
    tests/render_main_qt.cpp
    tests/render_module1_contract_test.cpp
    tests/render_module1_qt_test.cpp
    tests/render_renderer_contract_test.cpp
    tests/render_renderer_scale_contract_test.cpp
    tests/render_renderer_qt_test.cpp)
  target_link_libraries(panel_qt_tests PRIVATE quorbel_render_fixture quorbel_panel_qt gtest)
  add_test(NAME panel_qt_tests COMMAND panel_qt_tests --gtest_brief=1)
  set_tests_properties(panel_qt_tests PROPERTIES TIMEOUT 300 LABELS adapter ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
