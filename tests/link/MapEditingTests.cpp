#include "map/ControlEntryReset.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"

#include <climits>
#include <vector>

namespace
{
using namespace NsOrvelA;

/** Stands in for one of the editor's control buttons. */
class FakeControlButton final : public ControlButton
{
public:
    explicit FakeControlButton (int control, juce::String captionText = {}) : controlNumber (control), caption (std::move (captionText)) {}

    int getControlNumber() const override { return controlNumber; }
    juce::String makeCaption() const override { return caption; }

    void setTooltipText (const juce::String& text) override
    {
        tooltip = text;
        ++tooltipWrites;
    }

    int controlNumber;
    juce::String caption;
    juce::String tooltip{ "untouched" };
    int tooltipWrites = 0;
};

/** Every property of a node, "name=value", in the node's order. */
juce::StringArray describe (const juce::ValueTree& node)
{
    juce::StringArray properties;

    for (int i = 0; i < node.getNumProperties(); ++i)
    {
        const auto name = node.getPropertyName (i);
        properties.add (name.toString() + "=" + node[name].toString());
    }

    return properties;
}

/** The same without "id". */
juce::StringArray describeWithoutId (const juce::ValueTree& node)
{
    auto properties = describe (node);
    properties.removeString ("id=" + node[mapIds::id].toString());
    return properties;
}

class MapEditingTest : public corvix::testing::HostTest
{
protected:
    juce::ValueTree root() { return host->getState(); }
    juce::ValueTree unit (int unitId) { return root().getChild (unitId - 1); }
    juce::ValueTree slot (int slotId, int unitId = 1) { return unit (unitId).getChild (slotId - 1); }

    void chooseWorkstation (int slotId, int dawId, int unitId = 1) { slot (slotId, unitId).setProperty (mapIds::current, dawId, nullptr); }

    ControlEntry entry (int control, int slotId = 1, int unitId = 1) { return host->getStateTree().controlEntry (control, slotId, unitId); }

    ControlEntry assign (int control, const juce::String& kind, const juce::String& name, int slotId = 1, int unitId = 1)
    {
        auto e = entry (control, slotId, unitId);
        resetControlEntry (e);
        e.setProperty (mapIds::valueType, kind, nullptr).setProperty (mapIds::name, name, nullptr);
        return e;
    }

    std::vector<int> unitSlots()
    {
        std::vector<int> slots;

        for (const auto& u : root())
            slots.push_back (static_cast<int> (u[mapIds::current]));

        return slots;
    }
};

TEST_F (MapEditingTest, SelectingASlotWritesOnlyTheNamedUnit)
{
    host->setUnitCurrentSlot (2, -1);
    EXPECT_EQ (unitSlots(), (std::vector<int>{ 2, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_EQ (host->getCurrentSlotId(), 2);

    host->setUnitCurrentSlot (3, 5);
    EXPECT_EQ (unitSlots(), (std::vector<int>{ 2, 1, 1, 1, 3, 1, 1, 1 }));

    root().setProperty (mapIds::current, 5, nullptr);
    EXPECT_EQ (host->getCurrentSlotId(), 3);
    host->setUnitCurrentSlot (1, -1);
    EXPECT_EQ (unitSlots(), (std::vector<int>{ 2, 1, 1, 1, 1, 1, 1, 1 }));

    // Without a selected unit, unit 1 is meant.
    root().removeProperty (mapIds::current, nullptr);
    host->setUnitCurrentSlot (3, -1);
    EXPECT_EQ (unitSlots(), (std::vector<int>{ 3, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_EQ (host->getCurrentSlotId(), 3);
}

TEST_F (MapEditingTest, IdsOutsideTheTreeNeitherWriteNorFail)
{
    const auto before = root().createCopy();

    for (const int unitId : { 0, 9, -2, INT_MIN, INT_MAX })
        host->setUnitCurrentSlot (2, unitId);

    // A unit's selected slot stays a slot: it is saved with the map.
    for (const int slotId : { 0, 4, -1, INT_MAX })
        host->setUnitCurrentSlot (slotId, 1);

    root().setProperty (mapIds::current, 9, nullptr);
    host->setUnitCurrentSlot (2, -1);
    root().setProperty (mapIds::current, 1, nullptr);
    EXPECT_TRUE (root().isEquivalentTo (before));

    root().setProperty (mapIds::current, 0, nullptr);
    EXPECT_EQ (host->getCurrentSlotId(), 1) << "no unit selected reads as slot 1";

    chooseWorkstation (2, 5);
    EXPECT_EQ (host->getSlotDawId (2, 1), 5);
    EXPECT_EQ (host->getSlotDawId (2, -1), 0);

    root().setProperty (mapIds::current, 1, nullptr);
    EXPECT_EQ (host->getSlotDawId (2, -1), 5);
    EXPECT_EQ (host->getSlotDawId (1, -1), 0) << "a slot without a workstation";

    for (const int slotId : { 0, 4, -1, INT_MIN })
        EXPECT_EQ (host->getSlotDawId (slotId, 1), 0);

    for (const int unitId : { 0, 9, INT_MAX })
        EXPECT_EQ (host->getSlotDawId (2, unitId), 0);
}

TEST_F (MapEditingTest, FunctionNamesInUseFollowTheTransportLabels)
{
    const juce::StringArray transport{ "Play", "Stop", "Record", "Rewind", "Fast Forward", "Loop" };
    usedFunctionNames = { "left over" };

    // No workstation in the current slot: the list stays as it was.
    assign (60, "func", "Undo");
    host->collectAssignedFunctionNames();
    EXPECT_EQ (usedFunctionNames, (juce::Array<juce::String>{ "left over" }));

    // A workstation but no function assigned (the default map has many): the transport labels only.
    chooseWorkstation (1, 1);

    for (int control = 1; control <= 226; ++control)
        resetControlEntry (entry (control));

    host->collectAssignedFunctionNames();
    EXPECT_EQ (juce::StringArray (usedFunctionNames), transport);

    // Functions in control order, trimmed, duplicates kept; other kinds and blank names left out.
    assign (120, "func", "Undo");
    assign (40, "func", " Undo ");
    assign (41, "hotkey", "Copy");
    assign (42, "func", "   ");
    assign (43, "nil", "Redo");
    assign (181, "func", "Volume");
    host->collectAssignedFunctionNames();
    auto expected = transport;
    expected.addArray (juce::StringArray{ "Undo", "Undo", "Volume" });
    EXPECT_EQ (juce::StringArray (usedFunctionNames), expected);

    // A selected slot that is no slot leaves the list alone.
    usedFunctionNames = { "left over" };
    unit (1).setProperty (mapIds::current, 4, nullptr);
    host->collectAssignedFunctionNames();
    EXPECT_EQ (usedFunctionNames, (juce::Array<juce::String>{ "left over" }));
}

TEST_F (MapEditingTest, FunctionNamesComeFromTheModelBeingEdited)
{
    currentModelId = 2058;
    root().setProperty (mapIds::current, 2, nullptr);
    unit (2).setProperty (mapIds::current, 3, nullptr);
    chooseWorkstation (3, 6, 2);

    for (int control = 1; control <= 226; ++control)
        resetControlEntry (entry (control, 3, 2));

    assign (50, "func", "Mixer", 3, 2);
    assign (50, "func", "Not this unit", 3, 1);

    host->collectAssignedFunctionNames();
    ASSERT_EQ (usedFunctionNames.size(), 7);
    EXPECT_EQ (usedFunctionNames.getLast(), "Mixer");
}

TEST_F (MapEditingTest, FixedHuiButtonsOnlyUnderTheHuiWorkstation)
{
    EXPECT_FALSE (host->isFixedHuiButton (46)) << "no workstation chosen";

    chooseWorkstation (1, 3);

    for (const int control : { 34, 35, 36, 37, 46, 74 })
        EXPECT_TRUE (host->isFixedHuiButton (control)) << control;

    for (const int control : { 180, 189, 33, 38, 0, 227, -1 })
        EXPECT_FALSE (host->isFixedHuiButton (control)) << control;

    chooseWorkstation (1, 1);
    EXPECT_FALSE (host->isFixedHuiButton (46));

    // Only the current slot counts.
    chooseWorkstation (2, 3);
    EXPECT_FALSE (host->isFixedHuiButton (46));
    host->setUnitCurrentSlot (2);
    EXPECT_TRUE (host->isFixedHuiButton (46));
}

TEST_F (MapEditingTest, TooltipIsTheCaptionWhileTheSlotHasAMap)
{
    FakeControlButton button (40, "Undo");

    host->refreshButtonTooltip (button);
    EXPECT_EQ (button.tooltip, "") << "a slot without a workstation has no map to describe";

    chooseWorkstation (1, 4);
    host->refreshButtonTooltip (button);
    EXPECT_EQ (button.tooltip, "Undo");

    slot (1).removeProperty (mapIds::current, nullptr);
    button.tooltip = {};
    host->refreshButtonTooltip (button);
    EXPECT_EQ (button.tooltip, "Undo") << "a slot without \"current\" shows workstation 1";

    chooseWorkstation (1, 19);
    host->refreshButtonTooltip (button);
    EXPECT_EQ (button.tooltip, "");

    chooseWorkstation (1, 4);
    currentModelId = 1234;
    host->refreshButtonTooltip (button);
    EXPECT_EQ (button.tooltip, "") << "a model the map does not know";

    currentModelId = 2057;
    const auto writes = button.tooltipWrites;

    for (const int slotId : { 0, 4 })
    {
        currentSlotId = slotId;
        host->refreshButtonTooltip (button);
    }

    EXPECT_EQ (button.tooltipWrites, writes);
}

TEST_F (MapEditingTest, SwapExchangesEverythingButTheIds)
{
    chooseWorkstation (2, 5);
    host->setUnitCurrentSlot (2);

    auto first = assign (40, "midi", "Forty", 2);
    first.setProperty (mapIds::chan, 3, nullptr).setProperty (mapIds::diyNameQ, 1, nullptr);
    auto second = entry (41, 2);
    second.setProperty (mapIds::valueType, "func", nullptr)
        .setProperty (mapIds::name, "Forty-one", nullptr)
        .setProperty (mapIds::kind, "knob", nullptr)
        .setProperty (mapIds::lockBy, 7, nullptr);

    const auto firstBefore = describeWithoutId (first);
    const auto secondBefore = describeWithoutId (second);
    const auto slotOneBefore = slot (1).createCopy();

    FakeControlButton a (40), b (41);
    host->swapAssignments (a, b);

    EXPECT_EQ ((int) first[mapIds::id], 40);
    EXPECT_EQ ((int) second[mapIds::id], 41);
    EXPECT_EQ (describeWithoutId (first), secondBefore);
    EXPECT_EQ (describeWithoutId (second), firstBefore);
    EXPECT_EQ (second[mapIds::kind].toString(), "button");
    EXPECT_EQ ((int) first[mapIds::lockBy], 7);
    EXPECT_TRUE (slot (1).isEquivalentTo (slotOneBefore)) << "only the current slot changes";

    // Swapping back restores both.
    host->swapAssignments (a, b);
    EXPECT_EQ (describeWithoutId (first), firstBefore);
    EXPECT_EQ (describeWithoutId (second), secondBefore);
}

TEST_F (MapEditingTest, SwapWithAControlThatHasNoEntryChangesNothing)
{
    assign (40, "func", "Undo");
    const auto before = slot (1).createCopy();

    FakeControlButton present (40);

    for (const int missing : { 0, 227, -1 })
    {
        FakeControlButton absent (missing);
        host->swapAssignments (present, absent);
        host->swapAssignments (absent, present);
    }

    // No selected slot: nothing to swap in.
    unit (1).setProperty (mapIds::current, 0, nullptr);
    FakeControlButton other (41);
    host->swapAssignments (present, other);
    unit (1).setProperty (mapIds::current, 1, nullptr);

    EXPECT_TRUE (slot (1).isEquivalentTo (before));
}

TEST_F (MapEditingTest, CopyKeepsTheTargetsIdAndNothingElse)
{
    auto source = assign (33, "midi", "Row one");
    source.setProperty (mapIds::lockBy, 33, nullptr).setProperty (mapIds::diyNameQ, 1, nullptr);
    auto target = assign (57, "hotkey", "Old");
    target.setProperty ("onlyOnTarget", 1, nullptr);

    copyEntryKeepingId (source, target);

    EXPECT_EQ (target[mapIds::id].toString(), "57");
    EXPECT_EQ (describeWithoutId (target), describeWithoutId (source));
    EXPECT_EQ ((int) source[mapIds::id], 33);
    EXPECT_EQ (describe (target).indexOf ("id=57"), 0) << "the id keeps its place";

    // A missing source would wipe the target; a missing target has nothing to take.
    const auto targetBefore = describe (target);
    copyEntryKeepingId ({}, target);
    EXPECT_EQ (describe (target), targetBefore);

    ControlEntry missing;
    copyEntryKeepingId (source, missing);
    EXPECT_FALSE (missing.isValid());
}
} // namespace
