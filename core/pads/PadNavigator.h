// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <map>
#include <vector>

namespace rivonel {

// A game pad's buttons, numbered as SDL's game-controller API numbers them.
enum class PadButton : int {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};
inline constexpr int padButtonCount = 15;

// A set of buttons, one bit each.
using PadButtons = unsigned;
constexpr PadButtons padBit(PadButton button)
{
    return 1u << static_cast<int>(button);
}

// What a pad asks of the window; each has a key that does the same.
enum class PadAction {
    Up,
    Down,
    Play,
    NextTab,
    PreviousTab,
    ToList,
    LeaveBigScreen,
    Stop,
};

// The stop combinations the options offer, by their saved position: 0 none,
// 1 Back + Start (the default), 2 Guide, 3 both shoulders + Back + Start.
// Positions are saved, so never reorder.
PadButtons stopCombination(int position);
inline constexpr int stopCombinationCount = 4;
inline constexpr int defaultStopCombination = 1;

// How long a held button waits.
struct PadTiming {
    int firstRepeatMs = 400;
    int repeatMs = 120;
    int holdMs = 1000; // the stop combination, and Back to leave
};

// Turns what the pads do (buttons, the left stick, time passing) into the
// window's actions. Up and down repeat while held; Back held alone leaves the
// big-screen view; during a run only the stop combination counts, held for a
// while on one pad. Buttons held when a run starts or ends count for nothing
// until released, so the press that ended one game never starts the next.
class PadNavigator {
public:
    explicit PadNavigator(PadTiming timing = {}) : m_timing(timing) {}

    void setStopButtons(PadButtons buttons) { m_stopButtons = buttons; }
    void setRunning(bool running);
    bool running() const { return m_running; }

    std::vector<PadAction> press(int pad, PadButton button, qint64 now);
    std::vector<PadAction> release(int pad, PadButton button, qint64 now);
    // The left stick's vertical axis, -32768 (up) to 32767 (down).
    std::vector<PadAction> stick(int pad, int value, qint64 now);
    // Repeats and holds that are due.
    std::vector<PadAction> tick(qint64 now);
    // The pad went away: what it held is let go, and nothing it held acts.
    void padGone(int pad);

private:
    struct Pad {
        PadButtons held = 0;
        PadButtons ignored = 0; // held across a run's start or end
        int direction = 0;      // -1 up, 1 down, 0 none (d-pad or stick)
        int stick = 0;          // where the stick points, as direction
        bool stickIgnored = false;
        qint64 nextRepeat = 0;
        qint64 comboSince = -1; // when the stop combination was complete
        qint64 backSince = -1;  // when Back alone was held
        bool comboDone = false;
        bool backDone = false;
    };

    void direct(Pad &pad, int direction, qint64 now, std::vector<PadAction> &actions);
    void follow(Pad &pad, qint64 now);
    PadButtons live(const Pad &pad) const { return pad.held & ~pad.ignored; }

    const PadTiming m_timing;
    PadButtons m_stopButtons = 0;
    bool m_running = false;
    std::map<int, Pad> m_pads;
};

} // namespace rivonel
