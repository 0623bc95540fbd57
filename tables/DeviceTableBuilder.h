#pragma once

#include "map/UnitModels.h"
#include "map/Workstations.h"
#include "tables/DeviceTableRow.h"

#include <juce_data_structures/juce_data_structures.h>

#include <array>

namespace NsOrvelA
{
/** The rows of every unit's slot tables, [unit index][slot index]; all zero at start. A slot
    keeps its rows from its last build until it is marked for upload again. */
inline std::array<std::array<DeviceTableRows, slotCount>, unitCount> deviceTables{};

/** Rebuilds, for every slot of the unit (1..8) that is marked for upload and not being sent: its
    rows from the workstation's factory table and the map under the root, their transfer form, the display texts
    of unit 1, and the slot signature. A slot without a workstation keeps its rows, but its
    transfer form and signature are made again. */
void buildDeviceTables (const juce::ValueTree& root, int unitId);
} // namespace NsOrvelA
