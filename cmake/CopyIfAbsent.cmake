# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfAbsent.cmake
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
