# GoogleTest from Debian's source package, built with the project's own flags
# so the same sources serve the native, sanitized and mingw builds.
if(QUORBEL_TESTS AND NOT QUORBEL_FUZZ)
  enable_testing()
  if(NOT TARGET gtest)
    set(QUORBEL_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${QUORBEL_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
endif()

# quorbel_add_gtest(NAME SOURCES ... LIBS ...): one test program, one ctest entry.
function(quorbel_add_gtest name)
  if(NOT QUORBEL_TESTS OR QUORBEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  if(WIN32)
    # Console program, so ctest sees its output through Wine.
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
