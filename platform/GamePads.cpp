// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GamePads.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

namespace rivonel {

namespace {

SDL_GameController *controller(void *handle)
{
    return static_cast<SDL_GameController *>(handle);
}

QString padName(SDL_GameController *pad)
{
    const char *name = pad ? SDL_GameControllerName(pad) : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

GamePads::GamePads()
{
    // SDL would otherwise turn TERM and INT into its own quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Pads are read whichever window has the focus: the stop combination
    // works while the game's window has it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0) {
        m_problem = QString::fromUtf8(SDL_GetError());
        return;
    }
    m_available = true;
}

GamePads::~GamePads()
{
    if (!m_available)
        return;
    for (const auto &[id, handle] : m_open)
        SDL_GameControllerClose(controller(handle));
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
}

std::vector<PadEvent> GamePads::look()
{
    std::vector<PadEvent> events;
    if (!m_available)
        return events;
    SDL_PumpEvents();
    SDL_Event event;
    // Bounded per look: a pad that floods the queue cannot hold the window.
    // (The joystick events come too: the game-controller events are made of them.)
    for (int read = 0; read < 1024 && SDL_PollEvent(&event) == 1; ++read) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            open(event.cdevice.which, events);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            close(event.cdevice.which, events);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (m_open.count(event.cbutton.which))
                events.push_back({event.type == SDL_CONTROLLERBUTTONDOWN
                                      ? PadEvent::Kind::ButtonDown
                                      : PadEvent::Kind::ButtonUp,
                                  event.cbutton.which,
                                  event.cbutton.button,
                                  0,
                                  {}});
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY && m_open.count(event.caxis.which))
                events.push_back(
                    {PadEvent::Kind::StickY, event.caxis.which, 0, event.caxis.value, {}});
            break;
        default:
            break;
        }
    }
    return events;
}

void GamePads::open(int device, std::vector<PadEvent> &events)
{
    SDL_GameController *pad = SDL_GameControllerOpen(device);
    if (!pad)
        return;
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (m_open.count(id)) {
        SDL_GameControllerClose(pad); // opened already, at its first event
        return;
    }
    m_open[id] = pad;
    events.push_back({PadEvent::Kind::Connected, id, 0, 0, padName(pad)});
}

void GamePads::close(int id, std::vector<PadEvent> &events)
{
    const auto found = m_open.find(id);
    if (found == m_open.end())
        return;
    const QString name = padName(controller(found->second));
    SDL_GameControllerClose(controller(found->second));
    m_open.erase(found);
    events.push_back({PadEvent::Kind::Disconnected, id, 0, 0, name});
}

} // namespace rivonel
