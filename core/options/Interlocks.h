// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionTable.h"

namespace rivonel {

// The rules that tie dependent options to the check boxes they depend on:
// sound and its effects, the filter and its cut-off, surround and its
// multiplier, automatic frame skipping and the frame rate.

// Runs the rule of the check box whose value has just changed. Each rule
// looks only at its own box; values it changes run their own rules in turn.
void runInterlock(OptionState &state, int OptionSet::*changed);

// Sets a check box's value; a change runs the box's rule.
void setCheckValue(OptionState &state, int OptionSet::*box, int value);

} // namespace rivonel
