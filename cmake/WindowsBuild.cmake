# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, cross-compiled with MinGW-w64 against the static Qt kit
# (scripts/windows-kit.sh): one rivonel.exe that needs no DLL beside it, with
# its icon and version resource, the tests run under wine, and the portable zip.
#   cmake --build build-win --target windows-zip   →   build-win/rivonel-<version>-windows.zip

# No libgcc, libstdc++ or winpthread DLL beside the programs either.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -static")

set(RIVONEL_WINDOWS_ICON "${PROJECT_SOURCE_DIR}/resources/icons/rivonel.ico")
configure_file(cmake/rivonel.rc.in "${PROJECT_BINARY_DIR}/generated/rivonel.rc" @ONLY)
target_sources(rivonel PRIVATE "${PROJECT_BINARY_DIR}/generated/rivonel.rc")
set_property(SOURCE "${PROJECT_BINARY_DIR}/generated/rivonel.rc" APPEND PROPERTY
  OBJECT_DEPENDS "${RIVONEL_WINDOWS_ICON}")

# Built programs (the tests, and the tools the build runs) start under wine,
# in a prefix of the build's own (the Linux build's test_win32 uses it too),
# quiet, without the .NET and HTML prompts.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(RIVONEL_WINE wine64 PATHS /usr/lib/wine)
  if(RIVONEL_WINE)
    set(RIVONEL_WINE_ENVIRONMENT "WINEPREFIX=${PROJECT_BINARY_DIR}/wine"
        "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${RIVONEL_WINE_ENVIRONMENT}
        "${RIVONEL_WINE}")
  endif()
endif()

# The zip a Windows user unpacks anywhere: the program, its options (with no
# Zinc or ROM directory yet), the languages, an empty snap folder, the
# marker that keeps everything beside the program wherever it lies, and the
# licence with the notices of what is linked into the program.
configure_file(resources/windows/readme.txt.in "${PROJECT_BINARY_DIR}/generated/readme.txt" @ONLY)
set(_zip_name "rivonel-${PROJECT_VERSION}-windows")
set(_zip_root "${PROJECT_BINARY_DIR}/zip/${_zip_name}")
add_custom_target(windows-zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${PROJECT_BINARY_DIR}/zip"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${_zip_root}/language" "${_zip_root}/snap"
  COMMAND ${CMAKE_STRIP} -o "${_zip_root}/rivonel.exe" "$<TARGET_FILE:rivonel>"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_BINARY_DIR}/generated/rivonel.install.ini"
          "${_zip_root}/rivonel.ini"
  COMMAND ${CMAKE_COMMAND} -E copy ${RIVONEL_LANGUAGE_FILES} "${_zip_root}/language/"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/resources/windows/portable.txt"
          "${PROJECT_BINARY_DIR}/generated/readme.txt" "${_zip_root}/"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/LICENSE" "${_zip_root}/LICENSE.txt"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/resources/windows/notices.txt"
          "${_zip_root}/notices.txt"
  COMMAND ${CMAKE_COMMAND} -E chdir "${PROJECT_BINARY_DIR}/zip"
          ${CMAKE_COMMAND} -E tar cf "${PROJECT_BINARY_DIR}/${_zip_name}.zip" --format=zip
          "${_zip_name}"
  DEPENDS rivonel
  COMMENT "Packing ${_zip_name}.zip"
  VERBATIM)

# The zip holds the program, the licence and the notices of what it links.
add_test(NAME windows_zip COMMAND sh "${PROJECT_SOURCE_DIR}/scripts/zip-check.sh" "${PROJECT_BINARY_DIR}"
         "${_zip_name}")
set_tests_properties(windows_zip PROPERTIES LABELS windows TIMEOUT 300)
