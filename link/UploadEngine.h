#pragma once

namespace NsOrvelA
{
/** Sends the slots that edits have marked to every connected unit: builds the device tables of
    all units, then runs one upload conversation with each MIDI output that belongs to a unit
    (port 4 and above of a supported product, or the maker's generic port 0 or 1). What the
    conversations end with is not reported; the slots leave their sending state afterwards.
    Called by the device-watch timer, on the message thread. */
void uploadMappings();

/** buildDeviceTables over the live map of the process's Host; nothing while there is no Host. */
void buildDeviceTables (int unitId);
} // namespace NsOrvelA
