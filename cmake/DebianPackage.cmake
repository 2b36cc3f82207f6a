# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of the installed tree, by CPack: it packs exactly what
# `cmake --install` lays out, so there is one list of installed files, and
# dpkg-shlibdeps computes the dependencies.
#   cmake --build build --target package    →   build/rivonel_<version>_<arch>.deb

# A native package's changelog, compressed as Debian wants it.
set(_changelog "${PROJECT_BINARY_DIR}/generated/changelog.gz")
add_custom_command(OUTPUT "${_changelog}"
  COMMAND gzip -9nc "${PROJECT_SOURCE_DIR}/resources/debian/changelog" > "${_changelog}"
  DEPENDS "${PROJECT_SOURCE_DIR}/resources/debian/changelog"
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS "${_changelog}")
install(FILES "${_changelog}" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/rivonel")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rivonel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# An emulator's front-end: Debian files emulators under otherosfs.
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${RIVONEL_WEB_ADDRESS}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Rivonel developers <rivonel@rivonel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front-end for the Zinc 0.9 arcade emulator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Rivonel lets you pick one of the 26 games the Zinc 0.9 emulator knows, set
its video, audio and general options in one window and play it: it writes
the emulator's option files, checks that the game's files are there, starts
the game and tells you how it went. Zinc itself is not included.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
