// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"

namespace rivonel {

// Reads an opened zip archive through with libzip: its central directory,
// then every entry to its end through one small buffer, which makes libzip
// check each entry's size and CRC-32. The first bad entry ends the reading.
// Entries declaring more than any ROM set holds are not inflated, so a zip
// bomb costs nothing; the memory used does not grow with the archive's size.
ArchiveReading readZipArchive(QFile &opened, const std::atomic_bool &cancelled);

} // namespace rivonel
