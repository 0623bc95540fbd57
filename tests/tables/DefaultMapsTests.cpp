#include "link/UploadEngine.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultDeviceTables.h"
#include "tables/DefaultMaps.h"
#include "tables/DeviceTableBuilder.h"
#include "tables/DeviceTableEncoding.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::propertyNames;

const juce::String assignmentProperties = "ctrl shift alt cmd key keyName type chan msgValue rotate val1 val2";
const juce::String entryOrder = "id kind valueType value name " + assignmentProperties;
const juce::String buttonOrder = "id kind valueType value name lockBy " + assignmentProperties;

/** A property this system does not know, as a file may carry one. */
const juce::Identifier foreignProperty{ "colour" };

/** A new tree is large; the tests that only read it share one. */
const MapState& defaultMap()
{
    static const auto state = makeDefaultMapState();
    return state;
}

ControlEntry defaultEntry (int dawId, int controlId, int slotId = 1, int unitId = 1)
{
    return childWithId (childWithId (defaultMap().slotNode (slotId, unitId), dawId), controlId);
}

juce::String text (const ControlEntry& entry, const juce::Identifier& property) { return entry[property].toString(); }
int number (const ControlEntry& entry, const juce::Identifier& property) { return static_cast<int> (entry[property]); }

/** What the tests compare of an entry, '|'-separated: valueType, value, name, val1, val2. */
juce::String assignment (const ControlEntry& entry)
{
    return juce::StringArray{ text (entry, mapIds::valueType), text (entry, mapIds::value), text (entry, mapIds::name),
                              text (entry, mapIds::val1), text (entry, mapIds::val2) }
        .joinIntoString ("|");
}

/** The MIDI fields: type, chan, msgValue, rotate. */
juce::String midi (const ControlEntry& entry)
{
    return juce::StringArray{ text (entry, mapIds::type), text (entry, mapIds::chan), text (entry, mapIds::msgValue),
                              text (entry, mapIds::rotate) }
        .joinIntoString ("|");
}

/** The hotkey fields: the modifier flags ctrl, shift, alt, cmd as digits ("1100" is ctrl and
    shift), key, keyName. */
juce::String hotkey (const ControlEntry& entry)
{
    return text (entry, mapIds::ctrl) + text (entry, mapIds::shift) + text (entry, mapIds::alt) + text (entry, mapIds::cmd) + "|"
           + text (entry, mapIds::key) + "|" + text (entry, mapIds::keyName);
}

/** A lone entry of a control as a new tree has it before the default maps: unassigned. */
ControlEntry freshEntry (int controlId)
{
    ControlEntry entry (mapIds::ctl);
    entry.setProperty (mapIds::id, controlId, nullptr)
        .setProperty (mapIds::kind, controlKindName (controlClass (controlId, true)), nullptr)
        .setProperty (mapIds::valueType, "nil", nullptr)
        .setProperty (mapIds::value, 0, nullptr)
        .setProperty (mapIds::name, juce::String(), nullptr);

    if (isButtonControl (controlId))
        entry.setProperty (mapIds::lockBy, 0, nullptr);

    return entry;
}

TEST (DefaultMaps, EverySlotGetsItsOptionsAndEveryControlWithARowAnAssignment)
{
    const auto root = defaultMap().getTree();
    int unassignedWithRow = 0, assignedWithoutRow = 0, maps = 0;

    for (const auto& unit : root)
    {
        for (int slotIndex = 0; slotIndex < slotCount; ++slotIndex)
        {
            const auto slot = unit.getChild (slotIndex);
            const auto& options = slotOptionFlags[(size_t) slotIndex];
            EXPECT_EQ (number (slot, mapIds::daw1), options[0]);
            EXPECT_EQ (number (slot, mapIds::daw2), options[1]);
            EXPECT_EQ (number (slot, mapIds::daw3), options[2]);
            EXPECT_EQ (number (slot, mapIds::current), 0);

            for (const auto& map : slot)
            {
                ++maps;

                for (const auto& entry : map)
                {
                    const auto nil = text (entry, mapIds::valueType) == "nil";
                    unassignedWithRow += (number (entry, mapIds::id) <= 191 && nil) ? 1 : 0;
                    assignedWithoutRow += (number (entry, mapIds::id) >= 192 && ! nil) ? 1 : 0;
                }
            }
        }
    }

    EXPECT_EQ (maps, 432);
    EXPECT_EQ (unassignedWithRow, 0);
    EXPECT_EQ (assignedWithoutRow, 0);
    EXPECT_EQ (number (defaultMap().slotNode (2, 7), mapIds::daw2), 1);
}

TEST (DefaultMaps, SlotOptionsComeFromTheSharedState)
{
    const auto saved = slotOptionFlags;
    slotOptionFlags[1] = { 1, 1, 0 };
    const auto state = makeDefaultMapState();
    slotOptionFlags = saved;

    const auto slot = state.slotNode (2, 4);
    EXPECT_EQ (number (slot, mapIds::daw1) * 100 + number (slot, mapIds::daw2) * 10 + number (slot, mapIds::daw3), 110);
    EXPECT_EQ (propertyNames (slot), "id current daw1 daw2 daw3");
}

TEST (DefaultMaps, EntriesKeepTheMapFileAttributeOrder)
{
    // Written entries gain the reset properties after the ones the new tree gave them.
    EXPECT_EQ (propertyNames (defaultEntry (1, 1)), entryOrder);
    EXPECT_EQ (propertyNames (defaultEntry (1, 105)), buttonOrder);
    EXPECT_EQ (propertyNames (defaultEntry (1, 163)), entryOrder);
    EXPECT_EQ (propertyNames (defaultEntry (3, 105)), buttonOrder);
    EXPECT_EQ (propertyNames (defaultEntry (3, 129)), buttonOrder);

    // HUI functions also say that their name is made, not typed, and that comes last.
    EXPECT_EQ (propertyNames (defaultEntry (3, 33)), buttonOrder + " diyNameQ");
    EXPECT_EQ (propertyNames (defaultEntry (3, 181)), entryOrder + " diyNameQ");

    // Entries without a row are left as the new tree made them.
    EXPECT_EQ (propertyNames (defaultEntry (5, 200)), "id kind valueType value name");

    const auto xml = defaultEntry (3, 34).createXml();
    ASSERT_NE (xml, nullptr);
    juce::StringArray attributes;

    for (int i = 0; i < xml->getNumAttributes(); ++i)
        attributes.add (xml->getAttributeName (i));

    EXPECT_EQ (attributes.joinIntoString (" "), buttonOrder + " diyNameQ");
    EXPECT_EQ (propertyNames (childWithId (defaultMap().slotNode (3, 8), 3)), "id mode protocol");
}

TEST (DefaultMaps, NoteRowsAreFunctionsAndHotkeyRowsTakeTheFactoryLabels)
{
    for (int unitId = 1; unitId <= unitCount; ++unitId)
        for (int slotId = 1; slotId <= slotCount; ++slotId)
            EXPECT_EQ (assignment (defaultEntry (1, 105, slotId, unitId)), "hotkey|30|Pointer|-1|-1");

    // Usage 0x1E without modifiers.
    EXPECT_EQ (hotkey (defaultEntry (1, 105)), "0000|30|1");
    EXPECT_EQ (text (defaultEntry (1, 105), mapIds::type), "nil");

    // Ctrl and shift are bits 0 and 1 of the row's low nibble.
    EXPECT_EQ (assignment (defaultEntry (1, 118)), "hotkey|10|Ungroup|-1|-1");
    EXPECT_EQ (hotkey (defaultEntry (1, 118)), "1100|10|G");

    // Keys are named by their descriptions ("insert"), not by their display names ("Ins").
    EXPECT_EQ (hotkey (defaultEntry (1, 129)), "0000|73|insert");

    EXPECT_EQ (assignment (defaultEntry (1, 33)), "func|40|Track|-1|-1");
    EXPECT_EQ (midi (defaultEntry (1, 33)), "nil|0|40|0");
    EXPECT_EQ (assignment (defaultEntry (1, 74)), "null|0||-1|-1");

    // Workstations without labels leave those keys free.
    EXPECT_EQ (assignment (defaultEntry (12, 105)), "null|0||-1|-1");
}

TEST (DefaultMaps, KnobsFadersAndOtherMessagesAreMidi)
{
    // The knobs' byte 3 is 0x01 and the jog wheel's 0x41: the second mode.
    EXPECT_EQ (assignment (defaultEntry (2, 163)), "midi|16||-1|-1");
    EXPECT_EQ (midi (defaultEntry (2, 163)), "cc|1|16|2");
    EXPECT_EQ (midi (defaultEntry (2, 171)), "cc|1|60|2");

    EXPECT_EQ (assignment (defaultEntry (4, 189)), "midi|0||-1|-1");
    EXPECT_EQ (midi (defaultEntry (4, 189)), "pitch|9|0|0");
    EXPECT_EQ (midi (defaultEntry (4, 190)), "cc|11|0|0");
}

TEST (DefaultMaps, AKnobTurnsInTheFirstModeOnlyWhenByteThreeSaysSo)
{
    auto knob = freshEntry (163);
    mapControlRow (knob, 1, controlChangeRow (1, 0x10, 0x40));
    EXPECT_EQ (midi (knob), "cc|1|16|1");

    mapControlRow (knob, 1, controlChangeRow (1, 0x10, 0x01));
    EXPECT_EQ (midi (knob), "cc|1|16|2");

    mapControlRow (knob, 1, controlChangeRow (1, 0x10, 0x41));
    EXPECT_EQ (midi (knob), "cc|1|16|2");

    // Only knobs turn: a button with the same row has no mode.
    auto button = freshEntry (40);
    mapControlRow (button, 1, controlChangeRow (3, 0x10, 0x40));
    EXPECT_EQ (midi (button), "cc|3|16|0");
}

TEST (DefaultMaps, HuiKeysAreFunctionsWithZoneAndPort)
{
    const auto pan = defaultEntry (3, 33);
    EXPECT_EQ (assignment (pan), "func|28|Pan|11|66");
    EXPECT_EQ (number (pan, mapIds::diyNameQ), 0);
    EXPECT_EQ (midi (pan), "nil|0|0|0");

    // The Plug-in key's row is all zeros: a function without code, zone or port, named by its label.
    EXPECT_EQ (assignment (defaultEntry (3, 34)), "func|0|Plug-in*|-1|-1");

    // Insert and Scrub send zones the code table does not list: no code, but their zone and port.
    EXPECT_EQ (assignment (defaultEntry (3, 46)), "func|0|Insert*|28|64");
    EXPECT_EQ (assignment (defaultEntry (3, 74)), "func|0|Scrub*|13|69");

    EXPECT_EQ (assignment (defaultEntry (3, 180)), "func|64|touchM|0|0");
    EXPECT_EQ (assignment (defaultEntry (3, 189)), "hui|8|volumeM|32|8");
    EXPECT_EQ (assignment (defaultEntry (3, 170)), "hui|7|Pan 8|64|7");
    EXPECT_EQ (number (defaultEntry (3, 170), mapIds::rotate), 0);

    // Under HUI, 171 is a key, and an empty one.
    EXPECT_EQ (text (defaultEntry (3, 171), mapIds::kind), "button");
    EXPECT_EQ (assignment (defaultEntry (3, 171)), "null|0||-1|-1");

    const auto map = childWithId (defaultMap().slotNode (2, 5), 3);
    EXPECT_EQ (text (map, mapIds::mode), "pro-tools");
    EXPECT_EQ (number (map, mapIds::protocol), 1);
}

TEST (DefaultMaps, HuiHotkeysGoByTheFactoryLabelsEvenWhenTheRowNamesAZone)
{
    // A hotkey row's zero bytes read as zone 0, port 0: a HUI code with a name of its own.
    ASSERT_EQ (assignmentDisplayName (3, buttonClass, huiCodeIndex (0, 0)), "touchM");

    const auto shuffle = defaultEntry (3, 105, 3, 6);
    EXPECT_EQ (assignment (shuffle), "hotkey|64|Shuffle|-1|-1");
    EXPECT_EQ (hotkey (shuffle), "0000|58|F1");
    EXPECT_FALSE (shuffle.hasProperty (mapIds::diyNameQ));

    // A hotkey of the labelled buttons takes the label even when it is empty.
    auto unlabelled = freshEntry (130);
    mapControlRow (unlabelled, 3, hotkeyRow (hotkeyCtrl, 0x04));
    EXPECT_EQ (assignment (unlabelled), "hotkey|64||-1|-1");
    EXPECT_EQ (hotkey (unlabelled), "1000|4|A");
}

TEST (DefaultMaps, AnEmptyHuiRowKeepsItsNameButNoCodeZoneOrPort)
{
    EXPECT_EQ (assignment (defaultEntry (3, 129)), "null|0||-1|-1");

    // An empty row that still names a zone: the name stays, the code, zone and port go.
    auto entry = freshEntry (40);
    auto row = huiButtonRow ({ 11, 66 });
    row.bytes[0] = 0x3B;
    mapControlRow (entry, 3, row);
    EXPECT_EQ (assignment (entry), "null|0|Pan|-1|-1");
}

TEST (DefaultMaps, EntriesFromAFileAreFoundByIdAndGainWhatTheyLack)
{
    // A MIDI entry without a name keeps no name through the reset, so the name comes last.
    ControlEntry midi (mapIds::ctl, { { mapIds::id, "40" }, { mapIds::valueType, "midi" } });
    mapControlRow (midi, 1, noteRow (0x2B));
    EXPECT_EQ (propertyNames (midi), "id valueType value " + assignmentProperties + " kind lockBy name");
    EXPECT_EQ (text (midi, mapIds::name), "Plug-in");
    EXPECT_EQ (text (midi, mapIds::kind), "button");

    // Any other kind has its name emptied first, which puts the name before the rest.
    ControlEntry func (mapIds::ctl, { { mapIds::id, 40 }, { mapIds::valueType, "func" } });
    mapControlRow (func, 1, noteRow (0x2B));
    EXPECT_EQ (propertyNames (func), "id valueType name value " + assignmentProperties + " kind lockBy");

    // A lock and a typed-name flag from a file: the lock is freed, the flag is left alone.
    auto locked = freshEntry (60);
    locked.setProperty (mapIds::lockBy, 45, nullptr).setProperty (mapIds::diyNameQ, 1, nullptr).setProperty (foreignProperty, 3, nullptr);
    mapControlRow (locked, 1, hotkeyRow (0, 0x04));
    EXPECT_EQ (number (locked, mapIds::lockBy), 0);
    EXPECT_EQ (number (locked, mapIds::diyNameQ), 1);
    EXPECT_EQ (number (locked, foreignProperty), 3);

    // No row or no workstation, no change.
    auto noRow = freshEntry (200);
    auto noWorkstation = freshEntry (40);
    mapControlRow (noRow, 1, noteRow (5));
    mapControlRow (noWorkstation, 0, noteRow (5));
    EXPECT_TRUE (noRow.isEquivalentTo (freshEntry (200)));
    EXPECT_TRUE (noWorkstation.isEquivalentTo (freshEntry (40)));
}

TEST (DefaultMaps, AMapIsWrittenByTheIdsOfItsEntries)
{
    auto state = makeDefaultMapState();
    auto map = childWithId (state.slotNode (2, 3), 1);

    // Reordered entries, a foreign one past the controls, and a workstation map with the wrong header.
    map.moveChild (32, 33, nullptr);
    map.getChild (200).setProperty (mapIds::valueType, "hotkey", nullptr);
    map.setProperty (mapIds::mode, "cubase", nullptr);
    map.appendChild (freshEntry (33), nullptr);

    mapControlTable (state.deviceNode (3), 2, 1);

    EXPECT_EQ (number (map.getChild (32), mapIds::id), 34);
    EXPECT_EQ (text (map.getChild (32), mapIds::name), "Send");
    EXPECT_EQ (text (map.getChild (33), mapIds::name), "Track");
    EXPECT_EQ (text (map.getChild (200), mapIds::valueType), "hotkey");
    EXPECT_EQ (text (map.getChild (226), mapIds::valueType), "nil");
    EXPECT_EQ (text (map, mapIds::mode), "bitwig");
}

TEST (DefaultMaps, ResetToDefaultRestoresOnlyTheCurrentSlotsWorkstation)
{
    auto state = makeDefaultMapState();
    auto root = state.getTree();
    root.setProperty (mapIds::current, 2, nullptr);
    state.deviceNode().setProperty (mapIds::current, 3, nullptr);

    auto edit = [&] (int unitId, int slotId, int dawId, int controlId)
    {
        auto entry = childWithId (childWithId (state.slotNode (slotId, unitId), dawId), controlId);
        entry.setProperty (mapIds::valueType, "midi", nullptr)
            .setProperty (mapIds::name, "Pad", nullptr)
            .setProperty (mapIds::lockBy, 41, nullptr);
        return entry;
    };

    // No workstation chosen: nothing changes.
    edit (2, 3, 1, 40);
    auto before = root.createCopy();
    applyControlTable (state);
    EXPECT_TRUE (root.isEquivalentTo (before));

    state.slotNode (3, 2).setProperty (mapIds::current, 5, nullptr);
    const auto restored = edit (2, 3, 5, 105);
    const auto otherDaw = edit (2, 3, 6, 105);
    const auto otherSlot = edit (2, 2, 5, 105);
    const auto otherUnit = edit (1, 3, 5, 105);
    applyControlTable (state);

    EXPECT_EQ (text (restored, mapIds::valueType), "hotkey");
    EXPECT_EQ (text (restored, mapIds::name), "Insert Silence");
    EXPECT_EQ (number (restored, mapIds::lockBy), 0);

    for (const auto& untouched : { otherDaw, otherSlot, otherUnit })
        EXPECT_EQ (text (untouched, mapIds::name), "Pad");

    // Ids out of range change nothing.
    state.deviceNode().setProperty (mapIds::current, 0, nullptr);
    before = root.createCopy();
    mapControlTable (state.deviceNode (2), 0, 5);
    mapControlTable (state.deviceNode (2), 4, 5);
    mapControlTable (state.deviceNode (2), 1, 0);
    mapControlTable (state.deviceNode (2), 1, 19);
    mapControlTable (state.deviceNode (9), 1, 1);
    applyControlTable (state);
    EXPECT_TRUE (root.isEquivalentTo (before));
}

/** The factory table, the reading of it and the encoder must agree: a control's default entry,
    encoded into its slot's table, gives back the factory row. */
class DefaultMapRoundTrip : public corvix::testing::HostTest
{
protected:
    /** The one control whose factory row the encoder cannot give back, by workstation. */
    static DeviceTableRow expectedRow (int dawId, int controlId, DeviceTableRow row, int slotIndex)
    {
        stampRowWithSlot (row, slotIndex);

        // The side button's control change has value 0, but a MIDI message on a button is always
        // encoded pressed, with value 0x7F.
        if (controlId == 190 && ! isHuiDaw (dawId))
            row.bytes[3] = 0x7F;

        // The Plug-in key's all-zero row reads as a HUI function without a code, which the encoder
        // writes as a control change with nothing to say: status only, the data bytes stay.
        if (controlId == 34 && isHuiDaw (dawId))
        {
            row.bytes[0] = static_cast<std::uint8_t> ((slotIndex << 4) | 0x0B);
            row.bytes[1] = 0xB0;
        }

        return row;
    }
};

TEST_F (DefaultMapRoundTrip, EveryWorkstationsDefaultMapEncodesBackToItsTable)
{
    // Built by the device-table builder, over every unit and slot of the Host's new tree.
    auto state = host->getStateTree();
    int rowsCompared = 0;

    for (int dawId = 1; dawId <= dawCount; ++dawId)
    {
        const auto& defaults = *defaultDeviceTable (dawId);

        for (int unitId = 1; unitId <= unitCount; ++unitId)
            for (int slotId = 1; slotId <= slotCount; ++slotId)
                state.slotNode (slotId, unitId).setProperty (mapIds::current, dawId, nullptr);

        slotDirty = { 1, 1, 1 };

        for (int unitId = 1; unitId <= unitCount; ++unitId)
        {
            buildDeviceTables (unitId);

            for (int slotIndex = 0; slotIndex < slotCount; ++slotIndex)
            {
                const auto& built = deviceTables[(size_t) unitId - 1][(size_t) slotIndex];

                for (int controlId = 1; controlId <= controlCount; ++controlId)
                {
                    const auto row = controlTableRow (controlId);

                    if (row < 0)
                        continue;

                    const auto expected = expectedRow (dawId, controlId, defaults[(size_t) row], slotIndex);
                    const auto& actual = built[(size_t) row];
                    ++rowsCompared;

                    if (actual != expected)
                        ADD_FAILURE() << "workstation " << dawId << ", unit " << unitId << ", slot " << slotIndex + 1 << ", control "
                                      << controlId << ", row " << row << ": got " << juce::String::toHexString (actual.bytes, 7)
                                      << ", expected " << juce::String::toHexString (expected.bytes, 7);
                }
            }
        }
    }

    EXPECT_EQ (rowsCompared, 18 * 8 * 3 * 191);
}
} // namespace
