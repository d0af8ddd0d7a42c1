# The Linux program's place in the desktop (menu entry, icon, manual pages,
# copyright and changelog) and its Debian package, made with CPack:
#   cmake --build <dir> --target package
set(QUORBEL_LINUX_FILES ${CMAKE_CURRENT_LIST_DIR}/linux)
set(QUORBEL_DEB_MAINTAINER "Quorbel Alarm Clock maintainers <maintainers@quorbel.example>"
  CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")

# Manual pages and the changelog go in compressed, without the time stamp
# gzip would otherwise write into them.
find_program(GZIP gzip REQUIRED)
set(QUORBEL_DOC_STAGE ${CMAKE_BINARY_DIR}/linux-doc)
configure_file(${QUORBEL_LINUX_FILES}/changelog.in ${QUORBEL_DOC_STAGE}/source/changelog @ONLY)
set(QUORBEL_COMPRESSED_DOCS)
foreach(source IN ITEMS ${QUORBEL_LINUX_FILES}/quorbel-clock.1 ${QUORBEL_LINUX_FILES}/quorbel-preview.1
                        ${QUORBEL_DOC_STAGE}/source/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${QUORBEL_DOC_STAGE}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${QUORBEL_DOC_STAGE}/${name}
    COMMAND ${GZIP} -9nf ${QUORBEL_DOC_STAGE}/${name}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND QUORBEL_COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(linux_docs ALL DEPENDS ${QUORBEL_COMPRESSED_DOCS})

install(FILES ${QUORBEL_LINUX_FILES}/quorbel-clock.desktop DESTINATION share/applications)
foreach(size IN ITEMS 16x16 32x32 48x48)
  install(FILES ${QUORBEL_LINUX_FILES}/icons/${size}/quorbel-clock.png DESTINATION share/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${QUORBEL_DOC_STAGE}/quorbel-clock.1.gz ${QUORBEL_DOC_STAGE}/quorbel-preview.1.gz
  DESTINATION share/man/man1)
install(FILES ${QUORBEL_LINUX_FILES}/copyright ${QUORBEL_DOC_STAGE}/changelog.gz
  DESTINATION share/doc/quorbel-clock)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorbel-clock)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "break reminder that lives in the notification area")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Quorbel Alarm Clock watches how long you have been working at the computer
without a break and reminds you to rest. When your continuous use reaches
the interval you set, a skinned panel slides down from the top edge of the
screen, tells you how long you have worked, the risk that comes with it and
what to do about it, plays a chime and slides back up ten seconds later.
More than two minutes without keyboard or mouse input count as a break.

Skins and translations are added by editing a copy of its Config.ini; the
preview tool quorbel-preview draws the panel as the program would.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORBEL_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorbel.com")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program opens libcanberra for each chime, so shlibdeps cannot see it.
# libcanberra reaches PulseAudio, and PipeWire's Pulse server, only through
# its pulse driver: without it the chime, the reminder's only sound, is
# silent on most desktops. The libraries found by shlibdeps are added.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcanberra0, libcanberra-pulse")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
