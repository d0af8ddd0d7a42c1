# The Windows program's settings: replaced files and turns at them through
# Win32, registry text in the ANSI code page, and the registry, profile and
# autostart adapters.
target_sources(quorbel_settings PRIVATE atomic_file_win32.cpp update_lock_win32.cpp reg_text_ansi.cpp)
target_link_libraries(quorbel_settings PUBLIC kernel32)

add_library(quorbel_settings_win32 STATIC registry_win32.cpp profile_win32.cpp autostart_win32.cpp)
target_link_libraries(quorbel_settings_win32 PUBLIC quorbel_settings advapi32 kernel32 shell32)

quorbel_add_gtest(settings_win32_tests ADAPTER
  SOURCES tests/registry_win32_test.cpp tests/profile_win32_test.cpp
  LIBS quorbel_settings_win32)
