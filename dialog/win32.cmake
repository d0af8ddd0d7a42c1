# The Windows settings dialog, its skin picker and file dialog, and the
# dialog contract suite run against them.
add_library(quorbel_dialog_win32 STATIC
  form3_win32.cpp skin_picker_win32.cpp dialog_file_win32.cpp)
target_link_libraries(quorbel_dialog_win32 PUBLIC quorbel_dialog
  PRIVATE user32 gdi32 gdiplus)

quorbel_add_gtest(dialog_win32_tests ADAPTER
  SOURCES tests/form3_contract_test.cpp tests/form3_driver_win32.cpp tests/form3_win32_test.cpp
  LIBS quorbel_memory_stores quorbel_dialog_win32 quorbel_panel_win32)
if(TARGET dialog_win32_tests)
  target_compile_definitions(dialog_win32_tests PRIVATE
    QUORBEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data/")
endif()
