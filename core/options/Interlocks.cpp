// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/Interlocks.h"

namespace rivonel {

namespace {

using O = OptionSet;

void soundRule(OptionState &state)
{
    const bool off = state.values.sound == check::unchecked;
    for (int O::*effect :
         {&O::soundFilter, &O::stereoExciter, &O::surroundLite, &O::surroundLiteMultiplier}) {
        if (off)
            setCheckValue(state, effect, check::unchecked);
        state.setEnabled(effect, !off);
    }
}

void surroundRule(OptionState &state)
{
    const bool on = state.values.surroundLite != check::unchecked;
    setCheckValue(state, &O::surroundLiteMultiplier, on ? check::checked : check::unchecked);
    state.setEnabled(&O::surroundLiteMultiplier, on);
    state.setEnabled(&O::surroundMultiplier, on);
}

} // namespace

void runInterlock(OptionState &state, int OptionSet::*changed)
{
    const OptionSet &v = state.values;
    if (changed == &O::sound)
        soundRule(state);
    else if (changed == &O::soundFilter)
        state.setEnabled(&O::soundFilterCutoff, v.soundFilter != check::unchecked);
    else if (changed == &O::surroundLite)
        surroundRule(state);
    else if (changed == &O::frameSkipAuto)
        // This rule alone tests for checked; every other value counts as off.
        state.setEnabled(&O::frameRate, v.frameSkipAuto != check::checked);
}

void setCheckValue(OptionState &state, int OptionSet::*box, int value)
{
    if (state.values.*box == value)
        return;
    state.values.*box = value;
    runInterlock(state, box);
}

} // namespace rivonel
