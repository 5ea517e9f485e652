# The help pages, copied to share/velmor/help in the build folder: the programs in build/bin find
# them as ../share/velmor/help, the same way as the installed ones in /usr/bin do.
file(GLOB velmor_help_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
set(velmor_help_stamp ${CMAKE_BINARY_DIR}/share/velmor/help.stamp)
add_custom_command(
  OUTPUT ${velmor_help_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/share/velmor/help
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help
          ${CMAKE_BINARY_DIR}/share/velmor/help
  COMMAND ${CMAKE_COMMAND} -E touch ${velmor_help_stamp}
  DEPENDS ${velmor_help_pages}
  COMMENT "Copying the help pages")
add_custom_target(velmor_help_pages ALL DEPENDS ${velmor_help_stamp})
# Every program and test links the component library, so it is the one that waits for the pages.
add_dependencies(velui velmor_help_pages)
