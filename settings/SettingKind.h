#pragma once

namespace rivonel {

// How a saved option's text maps onto its control.
enum class SettingKind : int {
    Text,           // a text box's text
    CheckState,     // a check box's value 0, 1 or 2
    CheckedWhenOne, // a check box: 1 checks it, any other number clears it
    SoundEnable,    // as CheckedWhenOne, and only where sound can be played
    ListPosition,   // a list's selected position, -1 for none
    ListText,       // a list's selected item, by its text
    LastGame,       // the selected game's number, 0 for none (start-up reads it)
    Language,       // the selected language's name (start-up reads it)
};

} // namespace rivonel
