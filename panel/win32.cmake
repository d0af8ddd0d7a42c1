# The Windows panel renderer over GDI+, its preview tool and its pixel tests.
add_library(quorbel_panel_win32 STATIC
  frame_surface_win32.cpp
  gdiplus_session_win32.cpp
  module1_win32.cpp
  painter_win32.cpp
  panel_renderer_win32.cpp)
target_link_libraries(quorbel_panel_win32 PUBLIC quorbel_panel gdiplus gdi32 user32)

quorbel_add_gtest(panel_win32_tests ADAPTER
  SOURCES
    tests/render_module1_contract_test.cpp
    tests/render_module1_win32_test.cpp
    tests/render_renderer_contract_test.cpp
    tests/render_renderer_scale_contract_test.cpp
    tests/render_renderer_win32_test.cpp
  LIBS quorbel_render_fixture)

add_executable(QuorbelPreview preview_win32.cpp)
target_link_libraries(QuorbelPreview PRIVATE quorbel_panel_win32 quorbel_panel_preview quorbel_settings_win32)
set_target_properties(QuorbelPreview PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
