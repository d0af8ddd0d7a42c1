# Panel rendering: Module1's drawing primitives, the panel layout and the
# layered-window renderer. The panel's libraries and test programs are shared
# with panel content, so each is made by whichever file comes first.
function(quorbel_panel_library name)
  if(NOT TARGET ${name})
    add_library(${name} STATIC)
    target_link_libraries(${name} PUBLIC quorbel_common)
  endif()
endfunction()

function(quorbel_panel_tests name)
  if(NOT QUORBEL_TESTS OR QUORBEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(TARGET ${name})
    target_sources(${name} PRIVATE ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  else()
    quorbel_add_gtest(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS})
  endif()
endfunction()

quorbel_panel_library(quorbel_panel)
target_sources(quorbel_panel PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/module1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_layout.cpp)

quorbel_panel_tests(panel_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/render_layout_test.cpp
  LIBS quorbel_panel)

if(WIN32)
  quorbel_panel_library(quorbel_panel_win32)
  target_sources(quorbel_panel_win32 PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/gdiplus_session_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module1_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_renderer_win32.cpp)
  target_link_libraries(quorbel_panel_win32 PUBLIC quorbel_panel gdiplus gdi32 user32)

  # Test images made with GDI+, shared by the adapter tests and the benchmark.
  add_library(quorbel_panel_fixtures_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/tests/render_fixtures_win32.cpp)
  target_link_libraries(quorbel_panel_fixtures_win32 PUBLIC quorbel_panel_win32)

  quorbel_panel_tests(panel_win32_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_module1_win32_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/render_renderer_win32_test.cpp
    LIBS quorbel_panel_fixtures_win32 psapi)

  add_executable(QuorbelPreview ${CMAKE_CURRENT_LIST_DIR}/preview_win32.cpp)
  target_link_libraries(QuorbelPreview PRIVATE quorbel_panel_win32 quorbel_panel_content quorbel_settings_win32)
  set_target_properties(QuorbelPreview PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

  add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/bench_win32.cpp)
  target_link_libraries(panel_bench PRIVATE quorbel_panel_fixtures_win32 psapi)
  set_target_properties(panel_bench PROPERTIES OUTPUT_NAME QuorbelBench)
endif()
