# The Linux program's settings need no Qt: POSIX files and turns at them,
# UTF-8 registry text, Config.ini's Windows-1252, the XDG paths. The fuzz
# build, which has no Qt, reads them too.
target_sources(quorbel_settings PRIVATE atomic_file_posix.cpp update_lock_posix.cpp reg_text_utf8.cpp)

list(APPEND SETTINGS_TESTS tests/atomic_file_posix_test.cpp tests/reg_file_test.cpp
     tests/desktop_entry_test.cpp tests/user_config_ini_test.cpp tests/reg_text_utf8_test.cpp
     tests/concurrent_store_posix_test.cpp tests/settings_files_test.cpp)
