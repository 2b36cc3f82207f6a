// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rivonel {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version recorded by the build (CMake's project version).
ProgramVersion programVersion();

// The project's web address, fixed when the build is configured.
QString webAddress();

// "Rivonel <major>.<minor>.<revision> for Zinc 0.9"
QString windowTitle(const ProgramVersion &version);

// What the log box holds once start-up is over: the title, CR LF, the web address.
QString startupLog(const QString &title, const QString &address);

} // namespace rivonel
