// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundDevices.h"

#include <QList>

namespace rivonel {

int countPlaybackDevices(const QByteArray &procAsoundPcm)
{
    int count = 0;
    const QList<QByteArray> lines = procAsoundPcm.split('\n');
    for (const QByteArray &line : lines) {
        // "00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1":
        // the stream fields follow the device number, id and name.
        const QList<QByteArray> fields = line.split(':');
        for (qsizetype i = 3; i < fields.size(); ++i) {
            if (fields[i].trimmed().startsWith("playback")) {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace rivonel
