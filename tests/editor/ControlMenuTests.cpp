#include "devices/ProductIds.h"
#include "editor/ControlMenu.h"
#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using Marks = std::array<juce::uint8, 3>;

class ControlMenuTest : public corvix::testing::PagesTest
{
protected:
    ControlMenuTest() { chooseWorkstation (2); }

    void choose (int item)
    {
        dialogs.answerMenu (item);
        pages->showControlMenu();
    }
};

TEST_F (ControlMenuTest, OffersThreeItemsAndDismissingChangesNothing)
{
    pages->select (40);
    const auto before = host->getState().createCopy();

    choose (ControlMenu::dismissed);

    ASSERT_EQ (dialogs.shown().size(), 1u);
    EXPECT_EQ (dialogs.last().menuItems, (juce::StringArray{ "1 Reset to default", "2 Remove this DAW", "3 Clear current button" }));
    EXPECT_TRUE (host->getState().isEquivalentTo (before));
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (ControlMenuTest, ClearCurrentButtonClearsItAndFreesItsFunction)
{
    pages->select (46);
    auto& layer = pages->funcPage.getLayer();
    auto* function = &layer.getFunctionButton (0);
    for (int i = 0; i < FuncLayer::buttonCount && ! function->isEnabled(); ++i)
        function = &layer.getFunctionButton (i);
    layer.buttonClicked (function);
    ASSERT_FALSE (function->isEnabled());
    slotDirty = { 0, 0, 0 };

    choose (ControlMenu::clearButton);

    EXPECT_EQ (entry (46).getProperty (mapIds::valueType).toString(), "null");
    EXPECT_TRUE (function->isEnabled());
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (ControlMenuTest, ClearCurrentButtonLeavesAFixedHuiButtonAlone)
{
    chooseWorkstation (3);
    pages->select (46);
    const auto before = entry (46).createCopy();

    choose (ControlMenu::clearButton);

    EXPECT_TRUE (entry (46).isEquivalentTo (before));
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (ControlMenuTest, ResetToDefaultRestoresTheFactoryMapAndMarksTheSlot)
{
    const auto factory = entry (50).createCopy();
    pages->select (50);
    setMidi (50, "cc", 1, 7);

    choose (ControlMenu::resetToDefault);

    for (auto* property : { &mapIds::valueType, &mapIds::type, &mapIds::value, &mapIds::name })
        EXPECT_EQ (entry (50).getProperty (*property), factory.getProperty (*property)) << property->toString();
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (ControlMenuTest, RemoveThisDawEmptiesTheMainUnitsSlotAndDropsItsMark)
{
    chooseWorkstation (5, 2);
    slotSignatures[0][1] = 1234;
    slotDirty = { 0, 1, 0 };

    choose (ControlMenu::removeDaw);

    EXPECT_EQ (host->getStateTree().slotDawId (2), 0);
    EXPECT_EQ (slotDawIds[1], 0);
    EXPECT_EQ (slotSignatures[0][1], 0);
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (ControlMenuTest, RemoveThisDawOnAnExtenderKeepsTheSlotsWorkstationAndItsPendingUpload)
{
    currentModelId = talvor::productIds::orvelB;
    host->getState().setProperty (mapIds::current, 2, nullptr);
    chooseWorkstation (6, 1);
    slotDirty = { 1, 0, 0 };

    choose (ControlMenu::removeDaw);

    EXPECT_EQ (slotDawIds[0], 6);
    EXPECT_EQ (host->getStateTree().slotDawId (1), 6) << "the refresh writes the editor's workstation back";
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 })) << "the edit still waiting must reach the unit";
}

TEST_F (ControlMenuTest, RemoveThisDawWithoutASelectedSlotDoesNothing)
{
    chooseWorkstation (5);
    host->getStateTree().deviceNode().setProperty (mapIds::current, 0, nullptr);
    slotDirty = { 1, 1, 1 };
    const auto before = host->getState().createCopy();

    choose (ControlMenu::removeDaw);

    EXPECT_TRUE (host->getState().isEquivalentTo (before));
    EXPECT_EQ (slotDirty, (Marks{ 1, 1, 1 }));
}
} // namespace
