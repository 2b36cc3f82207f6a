// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/ProgramInfo.h"

#include "RivonelBuildInfo.h"

namespace rivonel {

ProgramVersion programVersion()
{
    return {build::versionMajor, build::versionMinor, build::versionRevision};
}

QString webAddress()
{
    return QString::fromUtf8(build::webAddress);
}

QString windowTitle(const ProgramVersion &version)
{
    return QStringLiteral("Rivonel %1.%2.%3 for Zinc 0.9")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

QString startupLog(const QString &title, const QString &address)
{
    return title + QStringLiteral("\r\n") + address;
}

} // namespace rivonel
