// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <utility>

namespace rivonel::test {

// SDL's virtual game controller, as Rivonel sees a pad plugged in.
class VirtualPad {
public:
    ~VirtualPad() { unplug(); }
    void plug()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Rivonel test pad";
        m_joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    }
    bool plugged() const { return m_joystick; }
    void set(int button, bool down)
    {
        SDL_JoystickSetVirtualButton(m_joystick, button, down ? 1 : 0);
    }
    void stick(int value)
    {
        SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTY, value);
    }
    void unplug()
    {
        if (!m_joystick)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(std::exchange(m_joystick, nullptr));
        for (int device = 0; device < SDL_NumJoysticks(); ++device)
            if (SDL_JoystickGetDeviceInstanceID(device) == id) {
                SDL_JoystickClose(SDL_JoystickFromInstanceID(id));
                SDL_JoystickDetachVirtual(device);
            }
    }

private:
    SDL_Joystick *m_joystick = nullptr;
};

} // namespace rivonel::test
