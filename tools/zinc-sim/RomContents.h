// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zincsim {

// The files the substitute emulator needs inside a ROM set's archive.
QStringList requiredRomFiles(const QString &romSet);

} // namespace zincsim
