add_library(quorbel_cycle STATIC cycle.cpp)
target_link_libraries(quorbel_cycle PUBLIC quorbel_panel_content quorbel_settings quorbel_common)

# The fake user-interface thread, for scenario tests and soak runs.
add_library(quorbel_cycle_testing STATIC testing/fake_platform.cpp)
target_link_libraries(quorbel_cycle_testing PUBLIC quorbel_common)

quorbel_add_gtest(app_tests
  SOURCES tests/cycle_test.cpp tests/cycle_break_test.cpp tests/cycle_manual_test.cpp
  LIBS quorbel_cycle quorbel_cycle_testing)
