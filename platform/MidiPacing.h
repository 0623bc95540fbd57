#pragma once

namespace talvor
{
/** The operating system's level relative to JUCE's Windows base: 4 is Windows 7, 5 Windows 8.0,
    6 Windows 8.1 and 7 Windows 10 or later. 0 until the editor or the upgrader records it. */
extern int osVersionLevel;

/** The value osVersionLevel takes on this machine: JUCE's operating-system type minus its
    Windows base. Other systems yield values far from 4..7 (Linux gives 0x200, so it paces). */
int currentOsVersionLevel();

/** One pacing step after a message or block sent to a unit: at level 7 or higher, every
    `every`-th step waits `milliseconds` on the message loop. Below 7 it returns at once and
    leaves the counter alone. The counter belongs to the caller, one per transfer, from 0. */
void pacedMessageWait (int& counter, int every, int milliseconds);
} // namespace talvor
