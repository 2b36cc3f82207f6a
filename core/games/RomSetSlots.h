// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace rivonel {

// ROM set name per game list position. There are more slots than games; an
// index outside the slots (-1 for "no game selected" above all) is answered
// with an empty optional, which every caller has to handle.
class RomSetSlots {
public:
    static constexpr int slotCount = 51;

    std::optional<QString> at(int index) const;
    bool set(int index, const QString &name);

private:
    std::array<QString, slotCount> m_slots;
};

} // namespace rivonel
