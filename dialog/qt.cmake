# The settings dialog and its skin strip for the native Linux program.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_library(quorbel_dialog_qt STATIC form3_qt.cpp settings_window_qt.cpp skin_picker_qt.cpp)
target_link_libraries(quorbel_dialog_qt PUBLIC quorbel_dialog quorbel_common_qt Qt6::Widgets)

if(QUORBEL_TESTS)
  quorbel_add_gtest(dialog_qt_tests ADAPTER
    SOURCES tests/form3_contract_test.cpp tests/form3_driver_qt.cpp tests/skin_picker_qt_test.cpp
    LIBS quorbel_memory_stores quorbel_dialog_qt quorbel_qt_offscreen_app Qt6::Test)
  target_compile_definitions(dialog_qt_tests PRIVATE
    QUORBEL_DATA_DIR="${PROJECT_SOURCE_DIR}/data/")
endif()
