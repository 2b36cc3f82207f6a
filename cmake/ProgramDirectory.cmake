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
  # The user's options are never overwritten by a rebuild.
  COMMAND ${CMAKE_COMMAND}
          "-DSOURCE=${PROJECT_BINARY_DIR}/generated/rivonel.build.ini"
          "-DDESTINATION=${RIVONEL_PROGRAM_DIR}/rivonel.ini"
          -P "${PROJECT_SOURCE_DIR}/cmake/CopyIfAbsent.cmake"
  COMMENT "Laying out the program directory"
  VERBATIM)
add_dependencies(rivonel program_directory)

install(TARGETS rivonel RUNTIME DESTINATION "${RIVONEL_INSTALL_DIR}")
install(DIRECTORY DESTINATION "${RIVONEL_INSTALL_DIR}/snap")
install(DIRECTORY DESTINATION "${RIVONEL_INSTALL_DIR}/language")
if(RIVONEL_LANGUAGE_FILES)
  install(FILES ${RIVONEL_LANGUAGE_FILES} DESTINATION "${RIVONEL_INSTALL_DIR}/language")
endif()
install(CODE "
  set(_ini \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${RIVONEL_INSTALL_DIR}/rivonel.ini\")
  if(NOT EXISTS \"\${_ini}\")
    file(INSTALL \"${PROJECT_BINARY_DIR}/generated/rivonel.install.ini\"
         DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${RIVONEL_INSTALL_DIR}\"
         RENAME rivonel.ini)
  endif()")
