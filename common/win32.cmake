# Text in the ANSI code page, the DPI of windows and monitors, GDI+, files
# through the C++ library, and the accessible objects the windows hand to
# assistive technology.
target_sources(quorbel_common PRIVATE ansi_win32.cpp dpi_win32.cpp gdiplus_win32.cpp regular_file_std.cpp accessible_win32.cpp)
target_link_libraries(quorbel_common PUBLIC gdiplus oleacc ole32 oleaut32)
