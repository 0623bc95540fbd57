#pragma once

#include "map/MapState.h"
#include "tables/DeviceTableRow.h"

namespace NsOrvelA
{
/** Gives the map of one workstation in one slot of a unit its factory assignments: each control
    that owns a device-table row gets what that row of the workstation's factory table sends, named
    the way the editor names it. The defaults are not kept as map data; they are read back from the
    same tables the units start from, so map and unit cannot disagree. Controls without a row
    (192..226) keep their entries. Nothing happens for a slot id outside 1..3 or a workstation id
    outside 1..18. */
void mapControlTable (const juce::ValueTree& unit, int slotId, int dawId);

/** Writes into one entry what a factory row assigns to the entry's control under a workstation:
    the reading mapControlTable does for each control. Entries of controls without a row, and
    workstation ids outside 1..18, are left alone. */
void mapControlRow (ControlEntry entry, int dawId, const DeviceTableRow& row);

/** A new tree with the default map of every unit, slot and workstation: the tree that
    buildDefaultMapTree followed by initControlTable makes. */
MapState makeDefaultMapState();

/** Every slot of every unit gets its three options from slotOptionFlags and the factory map of
    every workstation. A new tree gets this as soon as it is built. */
void initControlTable (MapState& state);

/** "Reset to default": the factory map of the workstation of the current unit's current slot;
    nothing while that slot has no workstation. Marking the slot for upload and refreshing the
    editor are the caller's business. */
void applyControlTable (MapState& state);
} // namespace NsOrvelA
