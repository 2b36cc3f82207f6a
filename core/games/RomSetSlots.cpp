// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/RomSetSlots.h"

namespace rivonel {

namespace {
bool inRange(int index)
{
    return index >= 0 && index < RomSetSlots::slotCount;
}
} // namespace

std::optional<QString> RomSetSlots::at(int index) const
{
    if (!inRange(index))
        return std::nullopt;
    return m_slots[static_cast<std::size_t>(index)];
}

bool RomSetSlots::set(int index, const QString &name)
{
    if (!inRange(index))
        return false;
    m_slots[static_cast<std::size_t>(index)] = name;
    return true;
}

} // namespace rivonel
