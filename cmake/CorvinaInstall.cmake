# `cmake --install` puts Corvina where desktop programs live (a prefix such as /usr/local or
# ~/.local): the program and corvina-tool, the desktop entry and the icon, so it shows in the
# desktop's application menu, and the first-run installer with its sample lists, which the menu's
# launcher runs before the program, as scripts/run.sh does.
include(GNUInstallDirs)

set(corvina_desktop ${PROJECT_SOURCE_DIR}/res/desktop)
install(TARGETS corvina corvina-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${corvina_desktop}/corvina-start.sh DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/corvina
        RENAME corvina-start)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/install.sh DESTINATION ${CMAKE_INSTALL_DATADIR}/corvina)
install(FILES ${PROJECT_SOURCE_DIR}/res/samples/Shopping.crv ${PROJECT_SOURCE_DIR}/res/samples/Packing.crv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/corvina/samples)
foreach(size 32 48 256)
  install(FILES ${corvina_desktop}/corvina-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME corvina.png)
endforeach()
# The entry names the launcher by its full path, which is known only when installing (the prefix
# may be given to `cmake --install --prefix`).
install(CODE "
  set(launcher \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/corvina/corvina-start\")
  if(launcher MATCHES \" \")
    set(CORVINA_DESKTOP_EXEC \"\\\"\${launcher}\\\"\")
  else()
    set(CORVINA_DESKTOP_EXEC \"\${launcher}\")
  endif()
  configure_file(\"${corvina_desktop}/corvina.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvina.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/corvina.desktop\")
")
