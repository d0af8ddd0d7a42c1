add_library(quorbel_cycle STATIC cycle.cpp entry.cpp)
target_link_libraries(quorbel_cycle PUBLIC quorbel_panel_content quorbel_settings quorbel_common)

# The fake user-interface thread, for scenario tests and soak runs.
add_library(quorbel_cycle_testing STATIC testing/fake_platform.cpp)
target_link_libraries(quorbel_cycle_testing PUBLIC quorbel_common)

quorbel_add_gtest(app_tests
  SOURCES tests/cycle_test.cpp tests/cycle_break_test.cpp tests/cycle_manual_test.cpp
          tests/entry_test.cpp
  LIBS quorbel_cycle quorbel_cycle_testing)

# A simulated day of work and breaks against an independent reference model.
# A day is millions of 10 ms ticks: the soak compiles the cycle and the fake
# thread itself, optimised even in an unoptimised build, to stay quick.
quorbel_add_gtest(app_soak_tests
  SOURCES tests/soak_test.cpp tests/reference_model.cpp cycle.cpp testing/fake_platform.cpp
  LIBS quorbel_panel_content quorbel_settings quorbel_common)
if(TARGET app_soak_tests AND NOT MSVC)
  target_compile_options(app_soak_tests PRIVATE -O2)
endif()
