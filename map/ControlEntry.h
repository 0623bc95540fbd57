#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace NsOrvelA
{
/** The "ctl" node of one control in one workstation map of one slot of one unit. A shared
    reference: writing through it changes the live map. */
using ControlEntry = juce::ValueTree;
} // namespace NsOrvelA
