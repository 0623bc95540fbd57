#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** Each slot of a unit (ids 1..3) selects one of eighteen workstations (ids 1..18). Workstation 3
    is driven through the HUI protocol: its functions are HUI codes rather than note numbers. */
constexpr int slotCount = 3;
constexpr int dawCount = 18;
constexpr int huiDawId = 3;

constexpr bool isSlotId (int slotId) noexcept { return slotId >= 1 && slotId <= slotCount; }
constexpr bool isDawId (int dawId) noexcept { return dawId >= 1 && dawId <= dawCount; }
constexpr bool isHuiDaw (int dawId) noexcept { return dawId == huiDawId; }
constexpr bool isNotHuiDaw (int dawId) noexcept { return ! isHuiDaw (dawId); }

/** The name shown in lists ("Bitwig" .. "luna"); empty outside 1..18. */
juce::String dawDisplayName (int dawId);

/** The text stored in a workstation map's "mode" ("bitwig" .. "luna"); empty outside 1..18. */
juce::String dawTextId (int dawId);
} // namespace NsOrvelA
