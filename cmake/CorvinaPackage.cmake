# `cpack` in a build folder makes corvina_<version>_<arch>.deb of what `cmake --install` installs,
# under /usr. Its dependencies are worked out from the libraries the programs link (dpkg-shlibdeps),
# plus what no binary names: Qt's platform plugins, without which no window opens, and the Tahoma of
# Wine's fonts, which the device's texts are measured in.

# The package's version is the one the program shows (--version, the about box).
file(STRINGS ${PROJECT_SOURCE_DIR}/res/ProgramTables.h version_line REGEX "kProgramVersionText = u\"Version [0-9.]+\"")
string(REGEX MATCH "[0-9]+(\\.[0-9]+)+" corvina_version "${version_line}")
if(NOT corvina_version)
  message(FATAL_ERROR "no program version in res/ProgramTables.h (kProgramVersionText)")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/ProgramTables.h)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvina)
set(CPACK_PACKAGE_VERSION ${corvina_version})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checklists to tick off, on a pen-operated handheld's screen")
set(CPACK_PACKAGE_DESCRIPTION "Corvina keeps named checklists (shopping, packing, to-do): trees of items
with a title, a quantity, an importance, notes and a checked state. It shows
the screens of a pen-operated handheld, where the mouse is the pen.
Lists can be exported to and imported from tab-separated text;
corvina-tool reads, converts and shows list files from the command line.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvina maintainers <maintainers@corvina.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Installed with DESTDIR under the final prefix (CPACK_INSTALL_PREFIX, as DESTDIR is set), so the
# desktop entry names the launcher's real path.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
