# `cmake --install` puts Corvina where desktop programs live (a prefix such as /usr/local or
# ~/.local): the program and corvina-tool with their manual pages, the desktop entry and the icon, so
# it shows in the desktop's application menu. The program installs itself into the device on its
# first run.
include(GNUInstallDirs)

set(corvina_desktop ${PROJECT_SOURCE_DIR}/res/desktop)
# What is installed is for users, so it goes without its debug information (23 MB of it) whether or
# not `--strip` is given; the build tree keeps it for debugging. What users should get is a Release
# build, and installing another says so.
install(CODE "
  if(NOT DEFINED CMAKE_INSTALL_DO_STRIP)
    set(CMAKE_INSTALL_DO_STRIP 1)
  endif()
")
if(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  install(CODE "message(STATUS \"Installing a ${CMAKE_BUILD_TYPE} build: -DCMAKE_BUILD_TYPE=Release makes the one to give users\")")
endif()
install(TARGETS corvina corvina-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(size 32 48 256)
  install(FILES ${corvina_desktop}/corvina-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME corvina.png)
endforeach()
# The entry names the program by its full path, which is known only when installing (the prefix
# may be given to `cmake --install --prefix`).
install(CODE "
  set(launcher \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/corvina\")
  if(launcher MATCHES \" \")
    set(CORVINA_DESKTOP_EXEC \"\\\"\${launcher}\\\"\")
  else()
    set(CORVINA_DESKTOP_EXEC \"\${launcher}\")
  endif()
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvina.desktop\")
  configure_file(\"${corvina_desktop}/corvina.desktop.in\" \"\${entry}\" @ONLY)
  message(STATUS \"Installing: \${entry}\")
  # In the install manifest like every other file, so that uninstalling removes it too.
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
")

# Manual pages and the changelog are installed compressed, as man finds them and Debian wants them;
# -n leaves the name and time out of the header, so the same text always makes the same bytes.
function(corvina_compressed source destination)
  get_filename_component(name ${source} NAME)
  set(compressed ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/compressed)
  execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${compressed} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot compress ${source}: ${status}")
  endif()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()
corvina_compressed(${PROJECT_SOURCE_DIR}/docs/man/corvina.1 ${CMAKE_INSTALL_MANDIR}/man1)
corvina_compressed(${PROJECT_SOURCE_DIR}/docs/man/corvina-tool.1 ${CMAKE_INSTALL_MANDIR}/man1)
set(corvina_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvina)
corvina_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${corvina_doc})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${corvina_doc})
