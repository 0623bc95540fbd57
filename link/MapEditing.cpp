#include "link/Host.h"
#include "link/HostImpl.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/HuiCodes.h"
#include "map/SharedEditingState.h"
#include "map/TransportLabels.h"
#include "map/Workstations.h"

#include <algorithm>
#include <iterator>

namespace NsOrvelA
{
namespace
{
/** The HUI buttons whose function the user cannot change: the first six special controls. */
constexpr int fixedHuiButtonCount = 6;

int intProperty (const juce::ValueTree& node, const juce::Identifier& property, int fallback)
{
    return static_cast<int> (node.getProperty (property, fallback));
}
} // namespace

void Host::setUnitCurrentSlot (int slotId, int unitId)
{
    // A unit's "current" is stored with the map; anything but a slot id would leave it selecting
    // no slot at all in every later lookup and in every saved file.
    if (! isSlotId (slotId))
        return;

    auto unit = unitAtPosition (impl->state, unitId, 1);

    if (unit.isValid())
        unit.setProperty (mapIds::current, slotId, nullptr);
}

int Host::getCurrentSlotId() { return intProperty (unitAtPosition (impl->state, -1, 1), mapIds::current, 1); }

int Host::getSlotDawId (int slotId, int unitId) { return slotDawIdOfUnit (impl->state, slotId, unitId); }

void Host::collectAssignedFunctionNames()
{
    const auto slotId = getCurrentSlotId();

    if (! isSlotId (slotId))
        return;

    const auto slot = getStateTree().slotNodeOfCurrentModel (slotId);
    const auto dawId = getSlotDawId (slotId, -1);

    if (! isDawId (dawId))
        return;

    usedFunctionNames.clear();

    for (const auto* label : transportLabels)
        usedFunctionNames.add (label);

    const auto workstationMap = childWithId (slot, dawId);
    const auto func = assignmentTypeName (funcAssignment);

    // Duplicates stay: the function page only asks whether a caption is in the list.
    for (int control = 1; control <= controlCount; ++control)
    {
        const auto entry = childWithId (workstationMap, control);

        if (entry.getProperty (mapIds::valueType).toString() != func)
            continue;

        const auto name = entry.getProperty (mapIds::name).toString().trim();

        if (name.isNotEmpty())
            usedFunctionNames.add (name);
    }
}

bool Host::isFixedHuiButton (int controlId)
{
    if (! isHuiDaw (getStateTree().currentDawId()))
        return false;

    const auto* const fixed = std::begin (huiSpecialControls);
    return std::find (fixed, fixed + fixedHuiButtonCount, controlId) != fixed + fixedHuiButtonCount;
}

void Host::refreshButtonTooltip (ControlButton& button)
{
    if (! isSlotId (currentSlotId))
        return;

    const auto slot = getStateTree().slotNodeOfCurrentModel (currentSlotId);
    const auto workstationMap = childWithId (slot, intProperty (slot, mapIds::current, 1));

    button.setTooltipText (workstationMap.isValid() ? button.makeCaption() : juce::String());
}

void Host::swapAssignments (ControlButton& first, ControlButton& second)
{
    const auto state = getStateTree();
    const auto firstId = first.getControlNumber();
    const auto secondId = second.getControlNumber();
    auto firstEntry = state.controlEntryInCurrentSlot (firstId);
    auto secondEntry = state.controlEntryInCurrentSlot (secondId);

    // Copying from a missing entry would wipe the other one: both must exist.
    if (! firstEntry.isValid() || ! secondEntry.isValid())
        return;

    const auto firstBefore = firstEntry.createCopy();

    firstEntry.copyPropertiesFrom (secondEntry, nullptr);
    firstEntry.setProperty (mapIds::id, firstId, nullptr);

    secondEntry.copyPropertiesFrom (firstBefore, nullptr);
    secondEntry.setProperty (mapIds::id, secondId, nullptr);
}

void copyEntryKeepingId (const ControlEntry& source, ControlEntry& target)
{
    // Copying from a missing entry would wipe the target; a missing target has nothing to keep.
    if (! source.isValid() || ! target.isValid())
        return;

    const auto hadId = target.hasProperty (mapIds::id);
    const auto id = target.getProperty (mapIds::id);

    target.copyPropertiesFrom (source, nullptr);

    if (hadId)
        target.setProperty (mapIds::id, id, nullptr);
    else
        target.removeProperty (mapIds::id, nullptr);
}
} // namespace NsOrvelA
