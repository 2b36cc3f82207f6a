// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <map>
#include <vector>

namespace rivonel {

// What happened on the pads since the last look.
struct PadEvent {
    enum class Kind { Connected, Disconnected, ButtonDown, ButtonUp, StickY };
    Kind kind;
    int pad = 0;     // the pad's instance, unique while Rivonel runs
    int control = 0; // a button (PadButton's numbering)
    int value = 0;   // the stick's position
    QString name;    // the pad's, on connecting and disconnecting
};

// The game pads, through SDL's game-controller API and its mapping database,
// with only SDL's joystick, game-controller and event parts started: no
// video, no audio, no signal handlers (Rivonel has its own). A pad is opened
// when it is plugged in and closed when it goes. Nothing here runs unless
// look() is called, on the thread that made the object.
class GamePads {
public:
    GamePads();
    ~GamePads();
    GamePads(const GamePads &) = delete;
    GamePads &operator=(const GamePads &) = delete;

    // Whether SDL could be started; if not, why.
    bool available() const { return m_available; }
    const QString &problem() const { return m_problem; }
    int connected() const { return static_cast<int>(m_open.size()); }

    // Reads what the pads did since the last look, and pads that came and went.
    std::vector<PadEvent> look();

private:
    void open(int device, std::vector<PadEvent> &events);
    void close(int pad, std::vector<PadEvent> &events);

    bool m_available = false;
    QString m_problem;
    std::map<int, void *> m_open; // instance id → SDL_GameController
};

} // namespace rivonel
