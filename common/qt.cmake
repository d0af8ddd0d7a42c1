# Picture loading within the pixel budget for the Linux program.
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_library(quorbel_common_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/image_file_qt.cpp)
target_link_libraries(quorbel_common_qt PUBLIC quorbel_common Qt6::Gui)
