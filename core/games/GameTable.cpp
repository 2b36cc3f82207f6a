// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/GameTable.h"

namespace rivonel {

namespace {
constexpr std::array<GameEntry, gameCount> table{{
    {u"Street Fighter EX (JP)", u"sfex"},
    {u"Street Fighter EX (ASIA)", u"sfex"},
    {u"Street Fighter EX Plus (USA)", u"sfexp"},
    {u"Street Fighter EX Plus (JP)", u"sfexp"},
    {u"Street Fighter EX 2 (JP)", u"sfex2"},
    {u"Street Fighter EX 2 PLUS (JP)", u"sfex2p"},
    {u"Star Gladiator 2 (JP)", u"sg2j"},
    {u"Rival Schools (ASIA)", u"rvschool"},
    {u"Justice Gakuen (JP)", u"rvschool"},
    {u"Strider Hiryu 2 (JP)", u"sr2j"},
    {u"Strider 2 (USA)", u"sr2j"},
    {u"Kikaioh (JP)", u"kikaioh"},
    {u"Battle Arena Toshinden 2 (JP)", u"ts2j"},
    {u"Tetris The Grand Master (JP)", u"tgmj"},
    {u"Sonic Wings Limited (JP)", u"sncwgltd"},
    {u"Beastorizer (bootleg)", u"beastorizer"},
    {u"Psychic Force (JP)", u"psyforce"},
    {u"Magical Date EX (JP)", u"mgcldate"},
    {u"Soul Edge (JP) Ver. A", u"souledge"},
    {u"Soul Edge (JP) Ver. C", u"souledge"},
    {u"Tekken (JP) Ver. A", u"tekken"},
    {u"Tekken 2 (JP) Ver. B", u"tk2b"},
    {u"Dancing Eyes (JP) Ver. A", u"danceyes"},
    {u"Xevious 3D/G (JP) Ver. A", u"xevi3dg"},
    {u"Star Sweep (JP) Ver. A", u"starswep"},
    {u"Kosodate Quiz My Angel 3 (JP) Ver. A", u"myangel3"},
}};
} // namespace

const std::array<GameEntry, gameCount> &gameTable()
{
    return table;
}

} // namespace rivonel
