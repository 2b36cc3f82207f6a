// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace rivonel {

// Counts the playback devices in the text of Linux's /proc/asound/pcm, where
// each line describes one PCM device and names "playback" when it can play.
int countPlaybackDevices(const QByteArray &procAsoundPcm);

} // namespace rivonel
