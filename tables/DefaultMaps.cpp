#include "tables/DefaultMaps.h"

#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/DawFunctionLabels.h"
#include "map/DisplayTexts.h"
#include "map/HidKeyTables.h"
#include "map/HuiCodes.h"
#include "map/MidiKinds.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"
#include "tables/DefaultDeviceTables.h"

#include <array>
#include <vector>

namespace NsOrvelA
{
namespace
{
constexpr int noteOnNibble = 9;
constexpr int controlChangeNibble = 11;

/** A knob row whose b3 is this value turns in the first of the two value modes. */
constexpr int firstKnobModeByte = 0x40;

/** The assignment properties of an entry in the order a reset adds them, which is the order of
    the map file's attributes. */
enum AssignmentProperty
{
    valueTypeProperty,
    valueProperty,
    ctrlProperty,
    shiftProperty,
    altProperty,
    cmdProperty,
    keyProperty,
    keyNameProperty,
    typeProperty,
    chanProperty,
    msgValueProperty,
    rotateProperty,
    val1Property,
    val2Property,
    assignmentPropertyCount
};

const juce::Identifier* const assignmentPropertyIds[assignmentPropertyCount] = {
    &mapIds::valueType, &mapIds::value, &mapIds::ctrl, &mapIds::shift,    &mapIds::alt,    &mapIds::cmd,  &mapIds::key,
    &mapIds::keyName,   &mapIds::type,  &mapIds::chan, &mapIds::msgValue, &mapIds::rotate, &mapIds::val1, &mapIds::val2,
};

/** The values that every default entry draws from, made once so that the 97,632 entries of a new
    tree share them instead of each holding a copy of its own. */
struct SharedValues
{
    SharedValues()
    {
        for (int kind = 0; kind < assignmentKindCount; ++kind)
            assignmentKinds[kind] = assignmentTypeName (kind);

        for (int kind = 0; kind < midiKindCount; ++kind)
            midiTypes[kind] = midiKindName (kind);

        for (auto controlClassIndex : { knobClass, faderClass, buttonClass })
            controlKinds[controlClassIndex] = controlKindName (controlClassIndex);
    }

    /** The stored MIDI type of a status nibble; the empty text for a nibble of no MIDI kind. */
    const juce::var& midiTypeOfNibble (int nibble) const
    {
        const auto kind = midiKindOfStatusNibble (nibble);
        return kind >= 0 ? midiTypes[kind] : emptyText;
    }

    const juce::var zero{ 0 };
    const juce::var one{ 1 };
    const juce::var minusOne{ -1 };
    const juce::var emptyText{ juce::String() };
    const juce::var noMidiType{ "nil" };
    juce::var assignmentKinds[assignmentKindCount];
    juce::var midiTypes[midiKindCount];
    juce::var controlKinds[buttonClass + 1];
};

/** What one control's entry holds once its factory row has been read back: the final value of
    every property the reading writes. */
struct DefaultEntry
{
    bool ownsRow = false;
    bool freesLock = false; // a button control proper: "lockBy" becomes 0
    bool nameIsMade = false; // a function of the HUI workstation: "diyNameQ" becomes 0
    juce::var kind;
    juce::var name;
    std::array<juce::var, assignmentPropertyCount> values;
};

/** The default map of one workstation, read once and written into as many slots as need it. */
struct DefaultMap
{
    int dawId = 0;
    juce::var textId;
    juce::var protocol;
    std::vector<DefaultEntry> entries; // by control id; 0 is not used
};

/** The entry as a reset leaves it, before the row's assignment is written over it. */
DefaultEntry resetEntry (int controlId, int controlClassIndex, const SharedValues& shared)
{
    DefaultEntry entry;
    entry.ownsRow = true;
    entry.freesLock = isButtonControl (controlId);
    entry.kind = shared.controlKinds[controlClassIndex];
    entry.name = shared.emptyText;

    auto& values = entry.values;
    values.fill (shared.zero);
    values[valueTypeProperty] = shared.assignmentKinds[nullAssignment];
    values[keyNameProperty] = shared.emptyText;
    values[typeProperty] = shared.noMidiType;
    values[val1Property] = shared.minusOne;
    values[val2Property] = shared.minusOne;
    return entry;
}

void setHotkey (DefaultEntry& entry, int modifiers, int usageId, const SharedValues& shared)
{
    auto flag = [&] (int bit) -> const juce::var& { return (modifiers & bit) != 0 ? shared.one : shared.zero; };

    entry.values[ctrlProperty] = flag (hotkeyCtrl);
    entry.values[shiftProperty] = flag (hotkeyShift);
    entry.values[altProperty] = flag (hotkeyAlt);
    entry.values[cmdProperty] = flag (hotkeyCmd);
    entry.values[keyProperty] = usageId;
    entry.values[keyNameProperty] = hidUsageKeyDescriptions (usageId);
}

/** A row of a workstation that takes its functions as notes. */
DefaultEntry readRow (int dawId, int controlId, const DeviceTableRow& row, const SharedValues& shared)
{
    const auto controlClassIndex = controlClass (controlId, true);
    const auto rowKind = row.rowKind();
    const auto lowNibble = row.lowNibble();
    const int data = row[2];

    auto entry = resetEntry (controlId, controlClassIndex, shared);
    auto name = assignmentDisplayName (dawId, lowNibble, data).trim();

    int kind = midiAssignment;

    if (rowKind == hotkeyRowKind)
        kind = hotkeyAssignment;
    else if (rowKind == emptyRowKind)
        kind = nullAssignment;
    else if (lowNibble == noteOnNibble || lowNibble == 0)
        kind = funcAssignment;

    // A hotkey row carries no name; the factory map names the keys of the last 96 buttons.
    if (kind == hotkeyAssignment && name.isEmpty())
        name = dawFunctionLabelOf (dawId, controlId);

    entry.values[valueTypeProperty] = shared.assignmentKinds[kind];
    entry.values[valueProperty] = data;
    entry.values[msgValueProperty] = data;
    entry.name = name;

    if (kind == hotkeyAssignment)
    {
        setHotkey (entry, lowNibble, data, shared);
    }
    else if (kind == midiAssignment)
    {
        entry.values[typeProperty] = shared.midiTypeOfNibble (lowNibble);
        entry.values[chanProperty] = (row[1] & 0x0F) + 1;

        if (controlClassIndex == knobClass)
            entry.values[rotateProperty] = row[3] == firstKnobModeByte ? 1 : 2;
    }

    return entry;
}

/** A row of the HUI workstation, whose keys are HUI zones and ports. */
DefaultEntry readHuiRow (int controlId, const DeviceTableRow& row, const SharedValues& shared)
{
    const auto controlClassIndex = controlClass (controlId, false);
    const auto rowKind = row.rowKind();
    const auto lowNibble = row.lowNibble();

    // A row without a status sends no HUI key: it has no zone and port.
    const auto plain = rowKind <= emptyRowKind && lowNibble == 0;

    int zone = row[3];
    int port = row[5];

    if (controlClassIndex == faderClass)
    {
        zone = row[3] & 0x70;
        port = row[3] & 0x0F;
    }
    else if (controlClassIndex == knobClass)
    {
        zone = row[2] & 0x70;
        port = row[2] & 0x0F;
    }

    const auto code = plain ? 0 : huiCodeIndex (zone, port);

    if (plain)
        zone = port = -1;

    auto entry = resetEntry (controlId, controlClassIndex, shared);
    auto name = assignmentDisplayName (huiDawId, controlClassIndex, code).trim();

    int kind = huiAssignment;

    if (rowKind == hotkeyRowKind)
        kind = hotkeyAssignment;
    else if (controlClassIndex != buttonClass)
        kind = huiAssignment;
    else if (rowKind == emptyRowKind)
        kind = nullAssignment;
    else if (lowNibble == controlChangeNibble || lowNibble == 0)
        kind = funcAssignment;

    entry.values[valueTypeProperty] = shared.assignmentKinds[kind];
    entry.values[valueProperty] = code;

    // The keys of the last 96 buttons go by the factory map's labels, whatever zone a hotkey row
    // seems to name.
    if (kind == hotkeyAssignment && controlId >= firstLabelledControl && controlId < firstLabelledControl + labelledControlCount)
        name = dawFunctionLabelOf (huiDawId, controlId);

    if (kind == funcAssignment || kind == huiAssignment)
    {
        // The fixed keys that no HUI code names carry their own labels.
        if (name.isEmpty())
            name = pluginFunctionLabelOf (controlId);

        entry.values[val1Property] = zone;
        entry.values[val2Property] = port;
        entry.nameIsMade = true;
    }
    else if (kind == hotkeyAssignment)
    {
        setHotkey (entry, lowNibble, row[2], shared);
    }
    else
    {
        // An empty key is reset once more: it keeps its name but no code, zone or port.
        entry.values[valueProperty] = shared.zero;
    }

    entry.name = name;
    return entry;
}

DefaultEntry readEntry (int dawId, int controlId, const DeviceTableRow& row, const SharedValues& shared)
{
    return isHuiDaw (dawId) ? readHuiRow (controlId, row, shared) : readRow (dawId, controlId, row, shared);
}

DefaultMap readDefaultMap (int dawId, const SharedValues& shared)
{
    DefaultMap map;
    map.dawId = dawId;
    map.textId = dawTextId (dawId);
    map.protocol = isHuiDaw (dawId) ? 1 : 0;
    map.entries.resize (static_cast<size_t> (controlCount) + 1);

    const auto& table = *defaultDeviceTable (dawId);

    for (int controlId = 1; controlId <= controlCount; ++controlId)
    {
        const auto rowIndex = controlTableRow (controlId);

        if (rowIndex < 0)
            continue;

        map.entries[static_cast<size_t> (controlId)] = readEntry (dawId, controlId, table[static_cast<size_t> (rowIndex)], shared);
    }

    return map;
}

bool resetEmptiesName (const ControlEntry& entry)
{
    const auto kind = assignmentTypeFromName (entry.getProperty (mapIds::valueType).toString());
    return kind != midiAssignment && kind != nullAssignment;
}

/** Brings an entry to the state that resetting it and writing the row's assignment leaves, with
    one write per property: properties an entry lacks are added where those steps would first add
    them, and every property ends with the value they would leave. */
void writeEntry (ControlEntry& entry, const DefaultEntry& values, const SharedValues& shared)
{
    // The reset empties the name of most kinds before it adds anything, which places a missing
    // name ahead of the assignment properties.
    if (! entry.hasProperty (mapIds::name) && resetEmptiesName (entry))
        entry.setProperty (mapIds::name, values.name, nullptr);

    for (int property = 0; property < assignmentPropertyCount; ++property)
        entry.setProperty (*assignmentPropertyIds[property], values.values[static_cast<size_t> (property)], nullptr);

    entry.setProperty (mapIds::kind, values.kind, nullptr);

    if (values.freesLock)
        entry.setProperty (mapIds::lockBy, shared.zero, nullptr);

    entry.setProperty (mapIds::name, values.name, nullptr);

    if (values.nameIsMade)
        entry.setProperty (mapIds::diyNameQ, shared.zero, nullptr);
}

void writeDefaultMap (juce::ValueTree workstationMap, const DefaultMap& map, const SharedValues& shared)
{
    if (! workstationMap.isValid())
        return;

    workstationMap.setProperty (mapIds::id, map.dawId, nullptr)
        .setProperty (mapIds::mode, map.textId, nullptr)
        .setProperty (mapIds::protocol, map.protocol, nullptr);

    // Entries are found by their "id", as a file may have them in any order; a map with more
    // children than controls has only its first 226 looked at.
    const auto count = juce::jmin (workstationMap.getNumChildren(), controlCount);

    for (int index = 0; index < count; ++index)
    {
        auto entry = workstationMap.getChild (index);
        const auto controlId = static_cast<int> (entry.getProperty (mapIds::id));

        if (isControlIndex (controlId) && map.entries[static_cast<size_t> (controlId)].ownsRow)
            writeEntry (entry, map.entries[static_cast<size_t> (controlId)], shared);
    }
}
} // namespace

void mapControlTable (const juce::ValueTree& unit, int slotId, int dawId)
{
    if (! isSlotId (slotId) || ! isDawId (dawId))
        return;

    const SharedValues shared;
    writeDefaultMap (unit.getChild (idToIndex (slotId)).getChild (idToIndex (dawId)), readDefaultMap (dawId, shared), shared);
}

void mapControlRow (ControlEntry entry, int dawId, const DeviceTableRow& row)
{
    const auto controlId = static_cast<int> (entry.getProperty (mapIds::id));

    if (! entry.isValid() || ! isDawId (dawId) || controlTableRow (controlId) < 0)
        return;

    const SharedValues shared;
    writeEntry (entry, readEntry (dawId, controlId, row, shared), shared);
}

void initControlTable (MapState& state)
{
    // Each workstation's table is read once; its map is then written into all 24 slots.
    const SharedValues shared;
    std::vector<DefaultMap> maps;
    maps.reserve (dawCount);

    for (int dawId = 1; dawId <= dawCount; ++dawId)
        maps.push_back (readDefaultMap (dawId, shared));

    for (int unitIndex = 0; unitIndex < unitCount; ++unitIndex)
    {
        if (! isSupportedModel (deviceModelIds[unitIndex]))
            continue;

        const auto unitId = indexToId (unitIndex);
        const auto unit = state.deviceNode (unitId);

        for (int slotId = 1; slotId <= slotCount; ++slotId)
        {
            const auto& options = slotOptionFlags[static_cast<size_t> (idToIndex (slotId))];

            if (auto slot = state.slotNode (slotId, unitId); slot.isValid())
                slot.setProperty (mapIds::daw1, options[0], nullptr)
                    .setProperty (mapIds::daw2, options[1], nullptr)
                    .setProperty (mapIds::daw3, options[2], nullptr);

            const auto slotOfUnit = unit.getChild (idToIndex (slotId));

            for (const auto& map : maps)
                writeDefaultMap (slotOfUnit.getChild (idToIndex (map.dawId)), map, shared);
        }
    }
}

void applyControlTable (MapState& state)
{
    const auto slotId = state.currentSlotId();

    if (isSlotId (slotId))
        mapControlTable (state.deviceNode(), slotId, state.slotDawId (slotId));
}

MapState makeDefaultMapState()
{
    // What buildDefaultMapTree and then initControlTable make, in a fraction of the time: the
    // default maps are written into one slot only, and every slot of every unit is a deep copy of
    // it that then takes its own id and options, as initControlTable gives them.
    MapState state{ juce::ValueTree (mapIds::store) };
    auto& root = state.tree;
    startMapTree (root);

    const auto unmapped = makeDefaultSlot (1);
    juce::ValueTree scratchUnit (mapIds::model);
    scratchUnit.appendChild (unmapped.createCopy(), nullptr);

    for (int daw = 1; daw <= dawCount; ++daw)
        mapControlTable (scratchUnit, 1, daw);

    const auto mapped = scratchUnit.getChild (0);

    for (int unit = 0; unit < unitCount; ++unit)
    {
        auto unitNode = makeUnitNode (unit);

        // The default maps are given to the units of supported models only.
        const auto supported = isSupportedModel (deviceModelIds[unit]);

        for (int slot = 0; slot < slotCount; ++slot)
        {
            auto slotNode = (supported ? mapped : unmapped).createCopy();
            slotNode.setProperty (mapIds::id, indexToId (slot), nullptr);

            if (supported)
            {
                const auto& options = slotOptionFlags[static_cast<size_t> (slot)];
                slotNode.setProperty (mapIds::daw1, options[0], nullptr)
                    .setProperty (mapIds::daw2, options[1], nullptr)
                    .setProperty (mapIds::daw3, options[2], nullptr);
            }

            unitNode.appendChild (slotNode, nullptr);
        }

        root.appendChild (unitNode, nullptr);
    }

    return state;
}
} // namespace NsOrvelA
