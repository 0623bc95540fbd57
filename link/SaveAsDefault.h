#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** How a store that failed is told. */
enum class StoreFailureReport
{
    toTheUser, // a box through the editor
    none, // the message loop has ended: no box can be shown
};

/** Carries out a "SAVE AS DEFAULT" that was asked for and not carried out yet: the units are told
    to store their defaults and the live tree is stored in the settings file. The device-watch
    timer does it on its next tick, and the program before it ends, so that a quit right after the
    click keeps the map. Ok when nothing was pending; a failed store names the file and the
    system's reason, which the user is shown when asked. */
juce::Result saveDefaultsIfPending (StoreFailureReport report = StoreFailureReport::toTheUser);
} // namespace NsOrvelA
