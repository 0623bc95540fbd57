#include "tables/DefaultDeviceTables.h"

#include "tables/DefaultDeviceTableLayout.h"

namespace NsOrvelA
{
using namespace DefaultTableLayout;

const DeviceTableRows* const defaultDeviceTables[dawCount + 1] = {
    nullptr,
    &bitwigDefaultTable,
    &cubaseDefaultTable,
    &proToolsDefaultTable,
    &logicDefaultTable,
    &liveDefaultTable,
    &reaperDefaultTable,
    &reasonDefaultTable,
    &studioOneDefaultTable,
    &flStudioDefaultTable,
    &cakewalkDefaultTable,
    &digitalPerformerDefaultTable,
    &samplitudeDefaultTable,
    &harrisonDefaultTable,
    &cubaseDefaultTable, // Nuendo shares Cubase's factory map
    &auditionDefaultTable,
    &tracktionDefaultTable,
    &abilityDefaultTable,
    &lunaDefaultTable,
};

const DeviceTableRows* defaultDeviceTable (int dawId) noexcept { return isDawId (dawId) ? defaultDeviceTables[dawId] : nullptr; }
} // namespace NsOrvelA
