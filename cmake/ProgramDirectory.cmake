# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the runnable program directory in the build tree, the demo folder
# beside it, and the same program directory (without the demo) on install.

set(RIVONEL_DEMO_ZINC_DIR "${RIVONEL_DEMO_DIR}/zinc")
set(RIVONEL_DEMO_ROMS_DIR "${RIVONEL_DEMO_DIR}/roms")

# Default options: the build's points at the demo, the installed one at nothing.
file(TO_NATIVE_PATH "${RIVONEL_DEMO_ZINC_DIR}" RIVONEL_INI_ZINC_PATH)
file(TO_NATIVE_PATH "${RIVONEL_DEMO_ROMS_DIR}" RIVONEL_INI_ROM_PATH)
configure_file(resources/rivonel.ini.in "${PROJECT_BINARY_DIR}/generated/rivonel.build.ini" @ONLY)
set(RIVONEL_INI_ZINC_PATH "")
set(RIVONEL_INI_ROM_PATH "")
configure_file(resources/rivonel.ini.in "${PROJECT_BINARY_DIR}/generated/rivonel.install.ini" @ONLY)

file(GLOB RIVONEL_LANGUAGE_FILES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/language/*.ini")

set(_copy_languages "")
if(RIVONEL_LANGUAGE_FILES)
  set(_copy_languages COMMAND ${CMAKE_COMMAND} -E copy_if_different
      ${RIVONEL_LANGUAGE_FILES} "${RIVONEL_PROGRAM_DIR}/language/")
endif()

add_custom_target(program_directory ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory
          "${RIVONEL_PROGRAM_DIR}/language" "${RIVONEL_PROGRAM_DIR}/snap"
          "${RIVONEL_DEMO_ZINC_DIR}" "${RIVONEL_DEMO_ROMS_DIR}"
  ${_copy_languages}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${PROJECT_SOURCE_DIR}/LICENSE"
          "${RIVONEL_PROGRAM_DIR}/LICENSE"
  # The user's options are never overwritten by a rebuild.
  COMMAND ${CMAKE_COMMAND}
          "-DSOURCE=${PROJECT_BINARY_DIR}/generated/rivonel.build.ini"
          "-DDESTINATION=${RIVONEL_PROGRAM_DIR}/rivonel.ini"
          -P "${PROJECT_SOURCE_DIR}/cmake/CopyIfAbsent.cmake"
  COMMENT "Laying out the program directory"
  VERBATIM)
add_dependencies(rivonel program_directory)

# Installed by GNU conventions: the program in bin/, what it ships under
# share/rivonel/ (found from bin/../share/rivonel), the menu entry, the icon and
# the software-centre metadata. The demo stays in the build tree.
include(GNUInstallDirs)
set(RIVONEL_APP_ID "example.rivonel.Rivonel")
install(TARGETS rivonel RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
if(RIVONEL_LANGUAGE_FILES)
  install(FILES ${RIVONEL_LANGUAGE_FILES} DESTINATION "${CMAKE_INSTALL_DATADIR}/rivonel/language")
endif()
install(FILES "${PROJECT_BINARY_DIR}/generated/rivonel.install.ini"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/rivonel" RENAME rivonel.ini)
install(FILES "resources/${RIVONEL_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "resources/${RIVONEL_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "resources/icons/${RIVONEL_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(DIRECTORY "${PROJECT_BINARY_DIR}/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
install(FILES resources/debian/copyright DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/rivonel")

# The manual page, compressed as Debian wants it (man reads it so as well).
set(_manual "${PROJECT_BINARY_DIR}/generated/rivonel.1.gz")
add_custom_command(OUTPUT "${_manual}"
  COMMAND gzip -9nc "${PROJECT_SOURCE_DIR}/resources/rivonel.1" > "${_manual}"
  DEPENDS "${PROJECT_SOURCE_DIR}/resources/rivonel.1"
  VERBATIM)
add_custom_target(manual_page ALL DEPENDS "${_manual}")
install(FILES "${_manual}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
