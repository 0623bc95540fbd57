#include "map/ControlEntryReset.h"
#include "map/MapState.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultMaps.h"

#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace
{
using namespace NsOrvelA;
using corvix::testing::propertyNames;

void countNodes (const juce::ValueTree& node, std::map<juce::String, int>& counts)
{
    ++counts[node.getType().toString()];

    for (const auto& child : node)
        countNodes (child, counts);
}

/** The tree as it is built, before the default maps fill it in. */
MapState builtTree()
{
    MapState state (juce::ValueTree (mapIds::store));
    buildDefaultMapTree (state);
    return state;
}

/** The built tree is large; the tests that only read it share one. */
const MapState& sharedDefaultMap()
{
    static const MapState state = builtTree();
    return state;
}

const juce::String entryProperties = "id kind valueType value name";
const juce::String buttonEntryProperties = "id kind valueType value name lockBy";
const juce::String resetProperties = "ctrl shift alt cmd key keyName type chan msgValue rotate val1 val2";

TEST (MapStateDefaultTree, HoldsEveryUnitSlotWorkstationAndControl)
{
    std::map<juce::String, int> counts;
    countNodes (sharedDefaultMap().getTree(), counts);

    EXPECT_EQ (counts["store"], 1);
    EXPECT_EQ (counts["model"], 8);
    EXPECT_EQ (counts["slot"], 24);
    EXPECT_EQ (counts["mode"], 432);
    EXPECT_EQ (counts["ctl"], 97632);
    EXPECT_EQ (counts.size(), 5u);
}

TEST (MapStateDefaultTree, PropertiesAndValuesInTheMapFileOrderAtEveryLevel)
{
    const auto root = sharedDefaultMap().getTree();
    EXPECT_EQ (root.getType(), mapIds::store);
    EXPECT_EQ (propertyNames (root), "current ver");
    EXPECT_EQ (root[mapIds::current], juce::var (1));
    EXPECT_EQ (root[mapIds::ver].toString(), "0.23");

    const int productIds[] = { 2057, 2058, 2073, 2074, 2075, 2076, 2077, 2078 };

    for (int u = 0; u < root.getNumChildren(); ++u)
    {
        const auto unit = root.getChild (u);
        ASSERT_EQ (propertyNames (unit), "id current pid");
        EXPECT_EQ ((int) unit[mapIds::id], u + 1);
        EXPECT_EQ ((int) unit[mapIds::current], 1);
        EXPECT_EQ ((int) unit[mapIds::pid], productIds[u]);
        ASSERT_EQ (unit.getNumChildren(), 3);

        for (int s = 0; s < unit.getNumChildren(); ++s)
        {
            const auto slot = unit.getChild (s);
            ASSERT_EQ (propertyNames (slot), "id current daw1 daw2 daw3");
            EXPECT_EQ ((int) slot[mapIds::id], s + 1);
            EXPECT_EQ ((int) slot[mapIds::current] + (int) slot[mapIds::daw1] + (int) slot[mapIds::daw2] + (int) slot[mapIds::daw3], 0);
            ASSERT_EQ (slot.getNumChildren(), 18);

            for (int d = 0; d < slot.getNumChildren(); ++d)
            {
                const auto map = slot.getChild (d);
                ASSERT_EQ (propertyNames (map), "id mode protocol");
                EXPECT_EQ ((int) map[mapIds::id], d + 1);
                EXPECT_EQ (map[mapIds::mode].toString(), dawTextId (d + 1));
                EXPECT_EQ ((int) map[mapIds::protocol], d + 1 == 3 ? 1 : 0);
                ASSERT_EQ (map.getNumChildren(), 226);

                for (int c = 0; c < map.getNumChildren(); ++c)
                {
                    const auto entry = map.getChild (c);
                    const auto button = c + 1 >= 33 && c + 1 <= 152;
                    ASSERT_EQ (propertyNames (entry), button ? buttonEntryProperties : entryProperties) << "control " << c + 1;
                    ASSERT_EQ ((int) entry[mapIds::id], c + 1);
                    ASSERT_EQ (entry[mapIds::valueType].toString(), "nil");
                    ASSERT_EQ ((int) entry[mapIds::value], 0);
                    ASSERT_TRUE (entry[mapIds::name].toString().isEmpty());
                }
            }
        }
    }

    EXPECT_EQ (sharedDefaultMap().deviceNode (3)[mapIds::pid], juce::var (2073));
}

TEST (MapStateDefaultTree, ControlKindsFollowTheWorkstation)
{
    const auto& state = sharedDefaultMap();

    for (int daw = 1; daw <= 18; ++daw)
    {
        const auto map = state.slotNode (2, 5).getChild (daw - 1);
        EXPECT_EQ (map.getChild (170)[mapIds::kind].toString(), daw == 3 ? "button" : "knob") << "workstation " << daw;
        EXPECT_EQ (map.getChild (169)[mapIds::kind].toString(), "knob");
        EXPECT_EQ (map.getChild (162)[mapIds::kind].toString(), "knob");
        EXPECT_EQ (map.getChild (161)[mapIds::kind].toString(), "button");
        EXPECT_EQ (map.getChild (180)[mapIds::kind].toString(), "fader");
        EXPECT_EQ (map.getChild (188)[mapIds::kind].toString(), "fader");
        EXPECT_EQ (map.getChild (189)[mapIds::kind].toString(), "button");
        EXPECT_EQ (map.getChild (0)[mapIds::kind].toString(), "button");
    }
}

TEST (MapStateDefaultTree, SurvivesTheMapFileWithItsAttributeOrder)
{
    // The map file is the tree's XML: attribute order is property order, and values come back as text.
    const auto xml = sharedDefaultMap().getTree().createXml();
    ASSERT_NE (xml, nullptr);

    const auto* entry = xml->getChildElement (0)->getChildElement (1)->getChildElement (2)->getChildElement (39);
    ASSERT_NE (entry, nullptr);
    EXPECT_EQ (entry->getTagName(), "ctl");

    juce::StringArray attributes;
    for (int i = 0; i < entry->getNumAttributes(); ++i)
        attributes.add (entry->getAttributeName (i));
    EXPECT_EQ (attributes.joinIntoString (" "), buttonEntryProperties);

    const MapState loaded (juce::ValueTree::fromXml (*xml));
    EXPECT_EQ (loaded.currentSlotId(), 1);
    EXPECT_EQ ((int) loaded.controlEntry (40, 2, 2)[mapIds::id], 40);
    EXPECT_EQ (loaded.deviceNode (8)[mapIds::pid].toString(), "2078");
}

TEST (MapStateAccessors, DefaultsOfTheCurrentIds)
{
    auto state = makeDefaultMapState();
    auto root = state.getTree();

    // No workstation chosen: the entry comes from workstation 1's map.
    EXPECT_EQ (state.controlEntry (40, 1, 1), root.getChild (0).getChild (0).getChild (0).getChild (39));
    EXPECT_EQ (state.currentDawId(), 0);

    state.slotNode (2, 4).setProperty (mapIds::current, 7, nullptr);
    root.setProperty (mapIds::current, 4, nullptr);
    state.deviceNode().setProperty (mapIds::current, 2, nullptr);
    EXPECT_EQ (state.currentSlotId(), 2);
    EXPECT_EQ (state.slotDawId (2), 7);
    EXPECT_EQ (state.currentDawId(), 7);
    EXPECT_EQ (state.controlEntryInCurrentSlot (100), root.getChild (3).getChild (1).getChild (6).getChild (99));
    EXPECT_EQ (state.controlEntry (100, -1, -1), state.controlEntryInCurrentSlot (100));

    // The root names no unit: nothing is current.
    root.setProperty (mapIds::current, 9, nullptr);
    EXPECT_FALSE (state.deviceNode().isValid());
    EXPECT_EQ (state.currentSlotId(), 0);
    EXPECT_EQ (state.currentDawId(), 0);
    EXPECT_FALSE (state.controlEntryInCurrentSlot (1).isValid());

    // Absent "current" properties read as 1.
    root.removeProperty (mapIds::current, nullptr);
    root.getChild (0).removeProperty (mapIds::current, nullptr);
    EXPECT_EQ (state.deviceNode(), root.getChild (0));
    EXPECT_EQ (state.slotNode(), root.getChild (0).getChild (0));
    EXPECT_EQ (state.currentSlotId(), 0);

    // A workstation id outside the maps gives no entry rather than another map's.
    state.slotNode (3, 1).setProperty (mapIds::current, 19, nullptr);
    EXPECT_FALSE (state.controlEntry (5, 3, 1).isValid());
    state.slotNode (3, 1).setProperty (mapIds::current, -1, nullptr);
    EXPECT_FALSE (state.controlEntry (5, 3, 1).isValid());
}

TEST (MapStateAccessors, IdsOutsideTheTreeGiveNothing)
{
    const auto& state = sharedDefaultMap();

    const auto missingUnit = state.deviceNode (9);
    EXPECT_FALSE (missingUnit.isValid());
    EXPECT_EQ ((int) missingUnit[mapIds::pid], 0);
    EXPECT_TRUE (missingUnit[mapIds::ver].toString().isEmpty());
    EXPECT_FALSE (state.deviceNode (0).isValid());

    EXPECT_FALSE (state.slotNode (0, 1).isValid());
    EXPECT_FALSE (state.slotNode (4, 1).isValid());
    EXPECT_FALSE (state.controlEntry (0, 1, 1).isValid());
    EXPECT_FALSE (state.controlEntry (227, 1, 1).isValid());
    EXPECT_TRUE (state.controlEntry (226, 3, 8).isValid());
    EXPECT_EQ (state.slotDawId (0), 0);
    EXPECT_EQ (state.slotDawId (4), 0);
}

TEST (MapStateAccessors, SlotOfTheEditedModel)
{
    const auto& state = sharedDefaultMap();
    const auto saved = currentModelId;

    currentModelId = 2075;
    EXPECT_EQ (state.slotNodeOfCurrentModel (3), state.getTree().getChild (4).getChild (2));
    EXPECT_FALSE (state.slotNodeOfCurrentModel (0).isValid());
    EXPECT_FALSE (state.slotNodeOfCurrentModel (4).isValid());

    currentModelId = 1234;
    EXPECT_FALSE (state.slotNodeOfCurrentModel (1).isValid());

    currentModelId = saved;
}

TEST (MapStateAccessors, SweepOverWideIdsNeverFaults)
{
    // A broken tree as a file might hold: currents that name nothing, texts where ints belong.
    MapState broken (juce::ValueTree (mapIds::store));
    broken.tree.setProperty (mapIds::current, "abc", nullptr);
    broken.tree.appendChild (juce::ValueTree (mapIds::model, { { mapIds::id, 1 }, { mapIds::current, INT_MIN } }), nullptr);

    auto offEnd = makeDefaultMapState();
    offEnd.getTree().setProperty (mapIds::current, INT_MAX, nullptr);

    const MapState* states[] = { &sharedDefaultMap(), &broken, &offEnd };
    const int extremes[] = { INT_MIN, INT_MIN + 1, INT_MAX };
    const auto saved = currentModelId;
    int found = 0;

    for (auto* state : states)
    {
        auto probe = [&] (int id)
        {
            found += state->deviceNode (id).isValid() + state->slotNode (id).isValid() + state->slotNode (1, id).isValid()
                     + state->controlEntry (id, 1, 1).isValid() + state->controlEntry (1, id, 1).isValid()
                     + state->controlEntry (1, 1, id).isValid() + state->controlEntry (id, -1, -1).isValid()
                     + state->controlEntryInCurrentSlot (id).isValid() + state->slotNodeOfCurrentModel (id).isValid();
            found += state->slotDawId (id) + state->currentSlotId() + state->currentDawId();
            currentModelId = id;
            found += state->slotNodeOfCurrentModel (1).isValid();
            currentModelId = saved;
        };

        for (int id = -1000; id <= 1000; ++id)
            probe (id);

        for (auto id : extremes)
            probe (id);
    }

    EXPECT_GT (found, 0);
}

TEST (MapStateCopies, ShareTheirNodes)
{
    auto original = makeDefaultMapState();
    const MapState copy (original);
    const MapState view (original.getTree());

    original.controlEntry (40, 2, 3).setProperty (mapIds::name, "Undo", nullptr);
    EXPECT_EQ (copy.controlEntry (40, 2, 3)[mapIds::name].toString(), "Undo");
    EXPECT_EQ (view.controlEntry (40, 2, 3)[mapIds::name].toString(), "Undo");
    EXPECT_EQ (view.type, mapIds::store);
}

TEST (MapStateBuild, ReplacesWhatTheRootHeld)
{
    MapState state (juce::ValueTree (mapIds::store));
    state.tree.setProperty (mapIds::ver, "0.1", nullptr);
    state.tree.appendChild (juce::ValueTree (mapIds::model), nullptr);

    buildDefaultMapTree (state);
    EXPECT_EQ (state.tree.getNumChildren(), 8);
    EXPECT_EQ (state.tree[mapIds::ver].toString(), "0.23");

    const juce::ValueTree invalid;
    MapState empty (invalid);
    buildDefaultMapTree (empty);
    EXPECT_EQ (empty.getTree().getType(), mapIds::store);
    EXPECT_EQ (empty.getTree().getNumChildren(), 8);
}

TEST (ControlEntryReset, ClearsTheAssignmentAndKeepsWhatIdentifiesTheEntry)
{
    auto state = builtTree();
    auto midi = state.controlEntry (40, 1, 1);
    midi.setProperty (mapIds::valueType, "midi", nullptr).setProperty (mapIds::name, "Pad", nullptr);
    midi.setProperty (mapIds::value, 12, nullptr).setProperty (mapIds::diyNameQ, 1, nullptr);

    resetControlEntry (midi);
    EXPECT_EQ (propertyNames (midi), buttonEntryProperties + " diyNameQ " + resetProperties);
    EXPECT_EQ (midi[mapIds::name].toString(), "Pad");
    EXPECT_EQ (midi[mapIds::valueType].toString(), "null");
    EXPECT_EQ ((int) midi[mapIds::value], 0);
    EXPECT_EQ ((int) midi[mapIds::lockBy], 0);
    EXPECT_EQ ((int) midi[mapIds::diyNameQ], 1);
    EXPECT_EQ ((int) midi[mapIds::val1], -1);
    EXPECT_EQ ((int) midi[mapIds::val2], -1);
    EXPECT_EQ (midi[mapIds::type].toString(), "nil");
    EXPECT_TRUE (midi[mapIds::keyName].toString().isEmpty());

    // Once reset, a further reset changes neither values nor order.
    const auto before = midi.createCopy();
    resetControlEntry (midi);
    EXPECT_TRUE (midi.isEquivalentTo (before));
}

TEST (ControlEntryReset, EmptiesTheNameOfEveryKindButMidiAndNull)
{
    auto state = builtTree();
    const std::pair<const char*, bool> kinds[] = { { "func", false }, { "nil", false },  { "hotkey", false }, { "mouse", false },
                                                   { "hui", false },  { "junk", false }, { "midi", true },    { "null", true } };
    int control = 1;

    for (auto [kind, keepsName] : kinds)
    {
        auto entry = state.controlEntry (control++, 1, 1);
        entry.setProperty (mapIds::valueType, kind, nullptr).setProperty (mapIds::name, "Loop", nullptr);
        const auto kindText = entry[mapIds::kind].toString();

        resetControlEntry (entry);
        EXPECT_EQ (entry[mapIds::name].toString(), keepsName ? "Loop" : "") << kind;
        EXPECT_EQ (entry[mapIds::kind].toString(), kindText);
        EXPECT_EQ ((int) entry[mapIds::id], control - 1);
        EXPECT_EQ (propertyNames (entry), entryProperties + " " + resetProperties) << kind;
    }

    auto locked = state.controlEntry (100, 1, 1);
    locked.setProperty (mapIds::lockBy, 45, nullptr);
    resetControlEntry (locked);
    EXPECT_EQ ((int) locked[mapIds::lockBy], 45);

    juce::ValueTree missing;
    resetControlEntry (missing);
    EXPECT_FALSE (missing.isValid());
}
} // namespace
