# Text in the ANSI code page, GDI+ and files through the C++ library.
target_sources(quorbel_common PRIVATE ansi_win32.cpp dpi_win32.cpp gdiplus_win32.cpp regular_file_std.cpp)
target_link_libraries(quorbel_common PUBLIC gdiplus)
