# Windows-1252 text, POSIX files and the data directory need no Qt; the fuzz
# build, which has no Qt, reads them too.
target_sources(quorbel_common PRIVATE ansi_cp1252.cpp regular_file_posix.cpp data_directory.cpp)
list(APPEND COMMON_TESTS tests/regular_file_posix_test.cpp tests/data_directory_test.cpp)
if(NOT QUORBEL_QT)
  return()
endif()

# Picture loading within the pixel budget for the Linux program.
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_library(quorbel_common_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/image_file_qt.cpp)
target_link_libraries(quorbel_common_qt PUBLIC quorbel_common Qt6::Gui)
