#include "map/MapState.h"

#include "map/ControlLayout.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
const juce::String mapLayoutVersion = "0.23";
const juce::String neverAssigned = "nil";

int intProperty (const juce::ValueTree& node, const juce::Identifier& property, int fallback)
{
    return static_cast<int> (node.getProperty (property, fallback));
}

/** A workstation map with an unassigned entry for every control, its properties in the map
    file's attribute order. The values that repeat are shared between all entries. */
juce::ValueTree makeDefaultWorkstationMap (int dawId)
{
    const juce::var nil = neverAssigned;
    const juce::var zero = 0;
    const juce::var emptyText = juce::String();
    const juce::var kindNames[] = { controlKindName (knobClass), controlKindName (faderClass), controlKindName (buttonClass) };
    const auto notHui = isNotHuiDaw (dawId);

    juce::ValueTree map (mapIds::mode,
                         { { mapIds::id, dawId }, { mapIds::mode, dawTextId (dawId) }, { mapIds::protocol, isHuiDaw (dawId) ? 1 : 0 } });

    for (int control = 1; control <= controlCount; ++control)
    {
        const juce::var controlId = control;
        const auto& kind = kindNames[controlClass (control, notHui) - knobClass];

        // Only the button controls proper carry a lock, and it comes last.
        if (isButtonControl (control))
            map.appendChild (juce::ValueTree (mapIds::ctl, { { mapIds::id, controlId },
                                                             { mapIds::kind, kind },
                                                             { mapIds::valueType, nil },
                                                             { mapIds::value, zero },
                                                             { mapIds::name, emptyText },
                                                             { mapIds::lockBy, zero } }),
                             nullptr);
        else
            map.appendChild (juce::ValueTree (mapIds::ctl, { { mapIds::id, controlId },
                                                             { mapIds::kind, kind },
                                                             { mapIds::valueType, nil },
                                                             { mapIds::value, zero },
                                                             { mapIds::name, emptyText } }),
                             nullptr);
    }

    return map;
}
} // namespace

juce::ValueTree makeDefaultSlot (int slotId)
{
    const juce::var zero = 0;
    juce::ValueTree slot (
        mapIds::slot,
        { { mapIds::id, slotId }, { mapIds::current, zero }, { mapIds::daw1, zero }, { mapIds::daw2, zero }, { mapIds::daw3, zero } });

    for (int daw = 1; daw <= dawCount; ++daw)
        slot.appendChild (makeDefaultWorkstationMap (daw), nullptr);

    return slot;
}

void startMapTree (juce::ValueTree& root)
{
    root.setProperty (mapIds::current, 1, nullptr);
    root.setProperty (mapIds::ver, mapLayoutVersion, nullptr);
    root.removeAllChildren (nullptr);
}

juce::ValueTree makeUnitNode (int unitIndex)
{
    return juce::ValueTree (mapIds::model,
                            { { mapIds::id, indexToId (unitIndex) }, { mapIds::current, 1 }, { mapIds::pid, deviceModelIds[unitIndex] } });
}

juce::ValueTree unitAtPosition (const juce::ValueTree& root, int unitId, int fallbackUnitId)
{
    if (unitId == -1)
        unitId = intProperty (root, mapIds::current, fallbackUnitId);

    return childWithId (root, unitId);
}

int slotDawIdOfUnit (const juce::ValueTree& root, int slotId, int unitId)
{
    return intProperty (childWithId (unitAtPosition (root, unitId, 0), slotId), mapIds::current, 0);
}

juce::ValueTree childWithId (const juce::ValueTree& parent, int id)
{
    // Compared before subtracting, so that no id read from a file can overflow.
    return id >= 1 ? parent.getChild (idToIndex (id)) : juce::ValueTree();
}

MapState::MapState (const juce::ValueTree& existingTree) : tree (existingTree) {}

juce::ValueTree MapState::deviceNode (int unitId) const
{
    if (unitId == -1)
        unitId = intProperty (tree, mapIds::current, 1);

    return tree.getChildWithProperty (mapIds::id, unitId);
}

juce::ValueTree MapState::slotNode (int slotId, int unitId) const
{
    const auto unit = deviceNode (unitId);

    if (slotId == -1)
        slotId = intProperty (unit, mapIds::current, 1);

    return childWithId (unit, slotId);
}

ControlEntry MapState::controlEntry (int controlId, int slotId, int unitId) const
{
    const auto slot = slotNode (slotId, unitId);
    auto dawId = intProperty (slot, mapIds::current, 0);

    if (dawId == 0)
        dawId = 1;

    return childWithId (childWithId (slot, dawId), controlId);
}

ControlEntry MapState::controlEntryInCurrentSlot (int controlId) const { return controlEntry (controlId, currentSlotId(), -1); }

int MapState::currentSlotId() const { return intProperty (deviceNode (-1), mapIds::current, 0); }

int MapState::slotDawId (int slotId) const { return intProperty (slotNode (slotId, -1), mapIds::current, 0); }

int MapState::currentDawId() const
{
    const auto slotId = currentSlotId();

    if (! isSlotId (slotId))
        return 0;

    const auto dawId = slotDawId (slotId);
    return isDawId (dawId) ? dawId : 0;
}

juce::ValueTree MapState::slotNodeOfCurrentModel (int slotId) const
{
    if (! isSlotId (slotId))
        return {};

    return childWithId (childWithId (tree, unitIdOfProduct (NsOrvelA::currentModelId)), slotId);
}

void buildDefaultMapTree (MapState& state)
{
    auto& root = state.tree;

    if (! root.isValid())
        root = juce::ValueTree (state.type);

    startMapTree (root);

    // Every slot starts alike: one is built and the others are deep copies of it, which is far
    // cheaper than building each node again. Only the slot's own "id" differs; setting it keeps the
    // property in its place.
    const auto defaultSlot = makeDefaultSlot (1);

    for (int unit = 0; unit < unitCount; ++unit)
    {
        auto unitNode = makeUnitNode (unit);

        for (int slot = 0; slot < slotCount; ++slot)
        {
            auto slotNode = defaultSlot.createCopy();
            slotNode.setProperty (mapIds::id, indexToId (slot), nullptr);
            unitNode.appendChild (slotNode, nullptr);
        }

        root.appendChild (unitNode, nullptr);
    }
}
} // namespace NsOrvelA
