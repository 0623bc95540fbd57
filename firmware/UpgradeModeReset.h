#pragma once

namespace talvor
{
/** Asks every MIDI unit in upgrade mode to leave it: each upgrade-mode output gets the prelude
    and the reset frame, paced, and is closed again; an output that does not open is skipped.
    True when, 50 ms later, no output of a unit in upgrade mode is left. */
bool resetUnitsInUpgradeMode();
} // namespace talvor
