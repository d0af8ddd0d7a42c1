add_library(quorbel_cycle STATIC cycle.cpp disturb_rules.cpp entry.cpp command_line.cpp first_run.cpp form1.cpp)
target_link_libraries(quorbel_cycle PUBLIC quorbel_panel_content quorbel_settings quorbel_common)

# What the programs' timer hosts decide apart from the window system: the
# timer table; for the Linux program also the timer periods, the idle poll's
# schedule and sources, the sounds' length, its data directory and instance
# address, the commands a second start forwards, when to say the tray is missing.
add_library(quorbel_app_host STATIC
  host_timing.cpp idle_sources.cpp sleep_away.cpp wav_length.cpp app_paths.cpp instance_directory.cpp
  forwarded_command.cpp tray_absence.cpp timer_table.cpp)
target_link_libraries(quorbel_app_host PUBLIC quorbel_common)
if(NOT WIN32)
  # The instance lock's directory and file, from the system.
  target_sources(quorbel_app_host PRIVATE instance_directory_posix.cpp instance_lock_posix.cpp)
endif()

set(APP_TESTS
  tests/cycle_test.cpp tests/cycle_break_test.cpp tests/cycle_manual_test.cpp
  tests/entry_test.cpp tests/command_line_test.cpp tests/first_run_test.cpp tests/form1_test.cpp tests/host_timing_test.cpp tests/idle_poll_cycle_test.cpp
  tests/idle_sources_test.cpp tests/second_start_test.cpp tests/sleep_cycle_test.cpp
  tests/timer_table_test.cpp tests/wav_length_test.cpp tests/do_not_disturb_test.cpp)
if(NOT WIN32)
  # The Linux program's paths and instance lock, in POSIX form.
  list(APPEND APP_TESTS tests/app_paths_test.cpp tests/instance_directory_test.cpp tests/instance_lock_posix_test.cpp)
endif()
quorbel_add_gtest(app_tests SOURCES ${APP_TESTS} LIBS quorbel_cycle quorbel_cycle_testing quorbel_app_host)

# A simulated day of work and breaks against an independent reference model.
# A day is millions of 10 ms ticks: the soak compiles the cycle and the fake
# thread itself, optimised even in an unoptimised build, to stay quick.
quorbel_add_gtest(app_soak_tests
  SOURCES tests/soak_test.cpp tests/reference_model.cpp cycle.cpp ${PROJECT_SOURCE_DIR}/tests/support/fake_platform.cpp
  LIBS quorbel_panel_content quorbel_settings quorbel_common)
if(TARGET app_soak_tests AND NOT MSVC)
  target_compile_options(app_soak_tests PRIVATE -O2)
endif()

# Where the Linux program's panel stands on the desktop.
if(NOT WIN32)
  add_library(quorbel_app_place STATIC panel_place.cpp)
  target_link_libraries(quorbel_app_place PUBLIC quorbel_panel quorbel_common)
  quorbel_add_gtest(app_place_tests SOURCES tests/panel_place_test.cpp LIBS quorbel_app_place)
endif()
