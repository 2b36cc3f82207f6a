// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pads/PadNavigator.h"

#include <array>

namespace rivonel {

namespace {

// Past half-way the stick points; back under a quarter it no longer does,
// so a stick resting near the edge does not flicker.
constexpr int stickOn = 16384;
constexpr int stickOff = 8192;

constexpr PadButtons directionButtons = padBit(PadButton::DpadUp) | padBit(PadButton::DpadDown);

} // namespace

PadButtons stopCombination(int position)
{
    constexpr std::array<PadButtons, stopCombinationCount> combinations{
        0,
        padBit(PadButton::Back) | padBit(PadButton::Start),
        padBit(PadButton::Guide),
        padBit(PadButton::LeftShoulder) | padBit(PadButton::RightShoulder) |
            padBit(PadButton::Back) | padBit(PadButton::Start),
    };
    return position >= 0 && position < stopCombinationCount
               ? combinations[static_cast<std::size_t>(position)]
               : 0;
}

void PadNavigator::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    for (auto &[id, pad] : m_pads) {
        pad.ignored = pad.held;
        // A stick held over counts for nothing until it comes back.
        pad.stickIgnored = pad.stick != 0;
        pad.direction = 0;
        pad.comboSince = pad.backSince = -1;
        pad.comboDone = pad.backDone = false;
    }
}

std::vector<PadAction> PadNavigator::press(int id, PadButton button, qint64 now)
{
    Pad &pad = m_pads[id];
    const PadButtons bit = padBit(button);
    if (pad.held & bit)
        return {};
    pad.held |= bit;
    std::vector<PadAction> actions;
    follow(pad, now);
    if (m_running)
        return actions;
    switch (button) {
    case PadButton::A:
    case PadButton::Start:
        actions.push_back(PadAction::Play);
        break;
    case PadButton::B:
        actions.push_back(PadAction::ToList);
        break;
    case PadButton::LeftShoulder:
        actions.push_back(PadAction::PreviousTab);
        break;
    case PadButton::RightShoulder:
        actions.push_back(PadAction::NextTab);
        break;
    case PadButton::DpadUp:
    case PadButton::DpadDown:
        direct(pad, button == PadButton::DpadUp ? -1 : 1, now, actions);
        break;
    default:
        break;
    }
    return actions;
}

std::vector<PadAction> PadNavigator::release(int id, PadButton button, qint64 now)
{
    const auto found = m_pads.find(id);
    if (found == m_pads.end())
        return {};
    Pad &pad = found->second;
    const PadButtons bit = padBit(button);
    pad.held &= ~bit;
    pad.ignored &= ~bit;
    std::vector<PadAction> actions;
    follow(pad, now);
    if (!m_running && (bit & directionButtons)) {
        // The other direction may still be held.
        const PadButtons still = live(pad) & directionButtons;
        const int direction = still & padBit(PadButton::DpadUp)     ? -1
                              : still & padBit(PadButton::DpadDown) ? 1
                                                                    : 0;
        if (direction != pad.direction)
            direct(pad, direction, now, actions);
    }
    return actions;
}

std::vector<PadAction> PadNavigator::stick(int id, int value, qint64 now)
{
    Pad &pad = m_pads[id];
    const int magnitude = value < 0 ? -value : value;
    if (magnitude >= stickOff && magnitude < stickOn)
        return {}; // between the two: as it was
    pad.stick = magnitude < stickOff ? 0 : value < 0 ? -1 : 1;
    if (pad.stick == 0)
        pad.stickIgnored = false; // back in the middle: it counts again
    std::vector<PadAction> actions;
    if (pad.stickIgnored || m_running || (live(pad) & directionButtons))
        return actions;
    if (pad.stick != pad.direction)
        direct(pad, pad.stick, now, actions);
    return actions;
}

void PadNavigator::direct(Pad &pad, int direction, qint64 now, std::vector<PadAction> &actions)
{
    pad.direction = direction;
    if (direction == 0)
        return;
    actions.push_back(direction < 0 ? PadAction::Up : PadAction::Down);
    pad.nextRepeat = now + m_timing.firstRepeatMs;
}

// Notes when the stop combination, or Back alone, became held.
void PadNavigator::follow(Pad &pad, qint64 now)
{
    const PadButtons held = live(pad);
    const bool combo = m_stopButtons != 0 && (held & m_stopButtons) == m_stopButtons;
    if (!combo) {
        pad.comboSince = -1;
        pad.comboDone = false;
    } else if (pad.comboSince < 0) {
        pad.comboSince = now;
    }
    const bool backAlone = held == padBit(PadButton::Back);
    if (!backAlone) {
        pad.backSince = -1;
        pad.backDone = false;
    } else if (pad.backSince < 0) {
        pad.backSince = now;
    }
}

std::vector<PadAction> PadNavigator::tick(qint64 now)
{
    std::vector<PadAction> actions;
    for (auto &[id, pad] : m_pads) {
        if (m_running) {
            if (pad.comboSince >= 0 && !pad.comboDone && now - pad.comboSince >= m_timing.holdMs) {
                pad.comboDone = true;
                actions.push_back(PadAction::Stop);
            }
            continue;
        }
        if (pad.backSince >= 0 && !pad.backDone && now - pad.backSince >= m_timing.holdMs) {
            pad.backDone = true;
            actions.push_back(PadAction::LeaveBigScreen);
        }
        // One repeat per look at most: a window that was busy gets no burst.
        if (pad.direction != 0 && now >= pad.nextRepeat) {
            actions.push_back(pad.direction < 0 ? PadAction::Up : PadAction::Down);
            pad.nextRepeat = now + m_timing.repeatMs;
        }
    }
    return actions;
}

void PadNavigator::padGone(int id)
{
    m_pads.erase(id);
}

} // namespace rivonel
