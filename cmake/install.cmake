# cmake --install lays out the program folder under the prefix (the folder
# TAVARO_INSTALL_FOLDER, "TavaroItemEditor" unless chosen otherwise), the
# same self-contained folder as the build tree's: the settings file and the
# backups are written there, so it belongs to the user who runs the
# program. A desktop entry in share/applications starts the editor from it.
set(TAVARO_INSTALL_FOLDER TavaroItemEditor CACHE STRING "The program folder, relative to the install prefix")
set(folder ${TAVARO_INSTALL_FOLDER})

install(TARGETS TavaroItemEditor TavaroItemEditor-qt tavaro RUNTIME DESTINATION ${folder})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/makeitem_rules DESTINATION ${folder})
install(FILES ${PROJECT_SOURCE_DIR}/examples/TavaroItemEditor.htm ${PROJECT_SOURCE_DIR}/examples/newitemicon.png
              ${PROJECT_SOURCE_DIR}/examples/tavaro-item-editor.png
        DESTINATION ${folder})
install(FILES ${PROJECT_SOURCE_DIR}/examples/inc-item-data.cgi DESTINATION ${folder}/sample)
install(DIRECTORY DESTINATION ${folder}/backup)

# The entry names the installed program by its full path, which is known
# only when installing (cmake --install --prefix may choose another prefix).
install(CODE "
  set(program_folder \"\${CMAKE_INSTALL_PREFIX}/${folder}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/cmake/tavaro-item-editor.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/tavaro-item-editor.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/tavaro-item-editor.desktop\")
")
