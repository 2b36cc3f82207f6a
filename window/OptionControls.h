// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionTable.h"
#include "core/system/PlatformConventions.h"
#include "window/OptionBinder.h"

#include <bitset>

namespace rivonel {

class IniDocument;
class LanguageTextTable;
class frmPrincipalUi;

// The window's option controls as one: each bound to its option-table entry
// (one line a control), filled with its items, put at its defaults, loaded
// from the saved text and kept to the interlocks.
class OptionControls {
public:
    explicit OptionControls(const frmPrincipalUi &ui);

    OptionSet values() const { return m_binder.state().values; }
    OptionState state() const { return m_binder.state(); }
    // The option controls, one an entry, for the parts of the window that show more of them.
    OptionBinder &binder() { return m_binder; }
    // The items each list holds now.
    ListItems listItems() const;
    // The keys of the options no control is bound to (none in a whole window).
    QStringList unboundKeys() const { return m_binder.unboundKeys(); }

    // Puts controls at their defaults: the texts and the check boxes when
    // the window is built, the lists once they are filled (the game and the
    // language are start-up's own to choose).
    enum class Defaults { TextsAndBoxes, Lists };
    void showDefaults(Defaults which);
    // The languages the folders hold, the saved one (or the first) selected,
    // which applies it; folders are searched in order, the user's own first.
    void listLanguages(const QStringList &folders, const PlatformConventions &platform,
                       const QString &savedName);
    // The lists whose items are the same in every language.
    void fillLists();
    // The two lists whose items are words of the language, keeping their positions.
    void showLanguageLists(const LanguageTextTable &texts);
    void showCaptions(const LanguageTextTable &texts);
    // The saved options, sound locked off without an output device; true
    // when it was. What nothing saved serves takes its unset value, the
    // renderer one whose plug-in the saved Zinc folder holds.
    bool load(const IniDocument &saved, bool soundDevice, const PlatformConventions &platform);
    // A check box's rule, after its value changed.
    void runInterlockOf(int OptionSet::*changed);

private:
    const frmPrincipalUi &m_ui;
    OptionBinder m_binder;
};

} // namespace rivonel
