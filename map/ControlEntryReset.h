#pragma once

#include "map/ControlEntry.h"

namespace NsOrvelA
{
/** Puts a control entry into the explicit unassigned state ("null"): every assignment property
    gets its reset value, appended in the map file's attribute order where the entry lacks it. The
    name survives for "midi" and "null" entries, so that a name typed for a MIDI assignment outlives
    the reset; "id", "kind", "lockBy" and "diyNameQ" are left alone. An invalid entry is ignored. */
void resetControlEntry (ControlEntry entry);
} // namespace NsOrvelA
