// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"

#include <QString>

namespace rivonel {

// The text in double quotes, with what the shell would still expand inside
// them escaped: $ ` \ " for /bin/sh, % for cmd.
QString shellQuoted(const PlatformConventions &platform, const QString &text);

// The text as it stands when the shell would take it as one plain word,
// otherwise shellQuoted.
QString shellWord(const PlatformConventions &platform, const QString &text);

} // namespace rivonel
