# `cmake --install` puts Corvina where desktop programs live (a prefix such as /usr/local or
# ~/.local): the program and corvina-tool, the desktop entry and the icon, so it shows in the
# desktop's application menu. The program installs itself into the device on its first run.
include(GNUInstallDirs)

set(corvina_desktop ${PROJECT_SOURCE_DIR}/res/desktop)
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
  configure_file(\"${corvina_desktop}/corvina.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvina.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvina.desktop\")
")
