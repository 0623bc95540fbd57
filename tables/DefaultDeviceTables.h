#pragma once

#include "map/Workstations.h"
#include "tables/DeviceTableRow.h"

namespace NsOrvelA
{
/** The factory table of each workstation, by workstation id: what a unit's controls send before
    the user changes anything. Every slot's table starts from it, and a new map reads its default
    assignments back from it. Index 0 is null; workstations 2 and 14 share one table. The tables
    are constants made by the compiler. */
extern const DeviceTableRows* const defaultDeviceTables[dawCount + 1];

/** The factory table of a workstation, null for an id outside 1..18. */
const DeviceTableRows* defaultDeviceTable (int dawId) noexcept;
} // namespace NsOrvelA
