# Panel rendering: Module1's drawing primitives, the panel layout and the
# portable compositor; each platform adds its painter and presenter.
add_library(quorbel_panel STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame_cache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_difference.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_compositor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_layout.cpp)
target_link_libraries(quorbel_panel PUBLIC quorbel_common)

# The preview tool's options and model, the same on every platform.
add_library(quorbel_panel_preview STATIC ${CMAKE_CURRENT_LIST_DIR}/preview_options.cpp)
target_link_libraries(quorbel_panel_preview PUBLIC quorbel_panel_content)

quorbel_add_gtest(panel_preview_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/preview_options_test.cpp
  LIBS quorbel_panel_preview)

quorbel_add_gtest(panel_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/render_layout_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/render_canvas_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/render_frame_cache_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/render_frame_difference_test.cpp
  LIBS quorbel_panel)

if(WIN32)
  add_library(quorbel_panel_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/frame_surface_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdiplus_session_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module1_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_renderer_win32.cpp)
  target_link_libraries(quorbel_panel_win32 PUBLIC quorbel_panel gdiplus gdi32 user32)

  quorbel_add_gtest(panel_win32_tests ADAPTER
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_module1_contract_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_module1_win32_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_renderer_contract_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_renderer_win32_test.cpp
    LIBS quorbel_render_fixture)

  add_executable(QuorbelPreview ${CMAKE_CURRENT_LIST_DIR}/preview_win32.cpp)
  target_link_libraries(QuorbelPreview PRIVATE quorbel_panel_win32 quorbel_panel_preview quorbel_settings_win32)
  set_target_properties(QuorbelPreview PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

  # The benchmark makes its pictures with the tests' render fixture.
  if(QUORBEL_TESTS)
    add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/bench_win32.cpp)
    target_link_libraries(panel_bench PRIVATE quorbel_render_fixture)
    set_target_properties(panel_bench PROPERTIES OUTPUT_NAME QuorbelBench)
  endif()
endif()
