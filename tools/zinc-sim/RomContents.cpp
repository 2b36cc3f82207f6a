// SPDX-License-Identifier: GPL-3.0-or-later
#include "RomContents.h"

namespace zincsim {

QStringList requiredRomFiles(const QString &romSet)
{
    return {romSet + QStringLiteral("_prg.bin"), romSet + QStringLiteral("_gfx.bin"),
            romSet + QStringLiteral("_snd.bin")};
}

} // namespace zincsim
