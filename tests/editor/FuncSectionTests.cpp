#include "editor/DistinctTabComp.h"
#include "editor/FuncSection.h"
#include "editor/MyTabComp.h"
#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "map/Workstations.h"
#include "tests/editor/DrawnText.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"

using namespace NsOrvelA;
using corvix::testing::GuiHarness;

namespace
{
class FuncSectionTest : public corvix::testing::HostTest
{
protected:
    void nameControl (int controlId, const juce::String& name, int slotId = 1)
    {
        auto entry = host->getStateTree().controlEntry (controlId, slotId, 1);
        entry.setProperty ("valueType", "func", nullptr);
        entry.setProperty ("name", name, nullptr);
    }

    FuncSection section;
};
} // namespace

TEST_F (FuncSectionTest, TheGridHoldsTheButtonControlsInFiveGroupsOfSixBySix)
{
    auto& grid = section.getButtonSection();
    grid.setSize (500, 900);

    for (int i = 0; i < ButtonSection::buttonCount; ++i)
    {
        auto& button = grid.getButton (i);
        EXPECT_EQ (button.getControlNumber(), 33 + i);
        EXPECT_EQ (button.getKind(), MappableButton::controlKind);
        EXPECT_EQ (button.getComponentID(), "GOTCHA");
    }

    // (500 - 8 - 408) / 2 = 42: the groups are centred.
    EXPECT_EQ (grid.getButton (0).getBounds(), juce::Rectangle<int> (47, 9, 63, 37));
    EXPECT_EQ (grid.getButton (5).getBounds(), juce::Rectangle<int> (47 + 5 * 67, 9, 63, 37));
    EXPECT_EQ (grid.getButton (6).getBounds(), juce::Rectangle<int> (47, 50, 63, 37));
    EXPECT_EQ (grid.getButton (23).getBounds().getY(), 9 + 3 * 41);
    EXPECT_EQ (grid.getButton (24).getBounds().getY(), 9 + 4 * 41 + 10);
    EXPECT_EQ (grid.getButton (119).getBounds(), juce::Rectangle<int> (47 + 5 * 67, 9 + 19 * 41 + 40, 63, 37));
}

TEST_F (FuncSectionTest, EveryCaptionOfEveryWorkstationsDefaultMapIsDrawnWhole)
{
    auto& grid = section.getButtonSection();
    grid.setSize (500, 900);

    for (int dawId = 1; dawId <= dawCount; ++dawId)
    {
        host->getStateTree().slotNode (1, 1).setProperty ("current", dawId, nullptr);
        grid.refreshCaptions();

        for (int i = 0; i < ButtonSection::buttonCount; ++i)
        {
            auto& button = grid.getButton (i);
            EXPECT_TRUE (corvix::testing::drawsWhole (button, button.getButtonText()))
                << "workstation " << dawId << ", control " << button.getControlNumber() << ": \"" << button.getButtonText() << "\"";
        }
    }
}

TEST_F (FuncSectionTest, EachGroupIsFramedInItsOwnColour)
{
    auto& grid = section.getButtonSection();
    grid.setSize (500, 900);
    const auto picture = GuiHarness::snapshot (grid);

    EXPECT_EQ (picture.getPixelAt (20, 20), juce::Colour (0xff252525));

    for (int group = 0; group < 5; ++group)
    {
        // The middle of each frame's left edge, away from the buttons and the corners. The one-pixel
        // line lies across two pixels (x = 41.5 .. 42.5), so each shows half of it over the panel.
        const auto y = 4 + 174 * group + 85;
        const auto expected = juce::Colour (0xff252525).interpolatedWith (juce::Colour (ButtonSection::groupColours[group]), 0.5f);
        const auto seen = picture.getPixelAt (42, y);
        EXPECT_NEAR (seen.getRed(), expected.getRed(), 10) << group;
        EXPECT_NEAR (seen.getGreen(), expected.getGreen(), 10) << group;
        EXPECT_NEAR (seen.getBlue(), expected.getBlue(), 10) << group;
    }
}

TEST_F (FuncSectionTest, LaysOutTheTitleOverAScrollingFrame)
{
    section.setSize (600, 600);
    EXPECT_EQ (section.getTitle().getBounds(), juce::Rectangle<int> (198, 12, 194, 39));
    EXPECT_EQ (section.getView().getParentComponent()->getBounds(), juce::Rectangle<int> (4, 60, 592, 536));

    // The grid is 2q wide and 5q x 0.62 high, q = 592 / 2.06 = 287.
    EXPECT_EQ (section.getButtonSection().getWidth(), 574);
    EXPECT_EQ (section.getButtonSection().getHeight(), 889);
}

TEST_F (FuncSectionTest, TheTitleNamesTheCurrentSlotsWorkstationAndTheButtonsTheirAssignments)
{
    slotDawIds = { 0, 11, 0 };
    currentSlotId = 2;
    host->setUnitCurrentSlot (2);
    host->getStateTree().slotNode (2, 1).setProperty ("current", 11, nullptr);
    nameControl (40, "forty", 2);
    section.refreshTitle();

    // "Digital Performer" is shown on one line.
    EXPECT_EQ (section.getTitle().getText(), dawDisplayName (11).removeCharacters ("\r\n"));
    EXPECT_EQ (section.getButtonSection().getButton (40 - 33).getButtonText(), "forty");
    EXPECT_EQ (section.getButtonSection().getButton (40 - 33).getTooltip(), "forty");

    slotDawIds = { 0, 0, 0 };
    host->getStateTree().slotNode (2, 1).setProperty ("current", 0, nullptr);
    section.refreshTitle();
    EXPECT_EQ (section.getTitle().getText(), "DAW");
    EXPECT_EQ (section.getButtonSection().getButton (40 - 33).getButtonText(), "");
}

TEST_F (FuncSectionTest, NoSlotSelectedReadsAsNoWorkstation)
{
    slotDawIds = { 5, 5, 5 };

    for (auto slotId : { 0, -1, 4 })
    {
        currentSlotId = slotId;
        section.refreshTitle();
        EXPECT_EQ (section.getTitle().getText(), "DAW") << slotId;
    }
}

TEST (EditorTabs, ThePageShownIsSkyBlueAndEveryOtherCadetBlue)
{
    DistinctTabComp tabs;
    juce::Component one, two, three;
    tabs.addTab ("FUNCTION", juce::Colour (DistinctTabComp::idleTabColour), &one, false);
    tabs.addTab ("HOTKEY", juce::Colour (DistinctTabComp::idleTabColour), &two, false);
    tabs.addTab ("MIDI", juce::Colour (DistinctTabComp::idleTabColour), &three, false);
    EXPECT_EQ (tabs.getTabBackgroundColour (0), juce::Colour (0xff87ceeb));

    tabs.setCurrentTabIndex (2);
    EXPECT_EQ (tabs.getLastTabIndex(), 2);
    EXPECT_EQ (tabs.getTabBackgroundColour (0), juce::Colour (0xff5f9ea0));
    EXPECT_EQ (tabs.getTabBackgroundColour (1), juce::Colour (0xff5f9ea0));
    EXPECT_EQ (tabs.getTabBackgroundColour (2), juce::Colour (0xff87ceeb));

    // The page tabs change with the control: a remembered tab that is gone is no fault.
    tabs.removeTab (2);
    tabs.setCurrentTabIndex (1);
    EXPECT_EQ (tabs.getTabBackgroundColour (1), juce::Colour (0xff87ceeb));
    EXPECT_EQ (tabs.getTabBackgroundColour (0), juce::Colour (0xff5f9ea0));
}

TEST (EditorTabs, TheSectionTabsRememberTheLastTab)
{
    juce::Component parent, one, two;
    MyTabComp tabs;
    EXPECT_EQ (tabs.getLastTabIndex(), -1);
    parent.addAndMakeVisible (tabs);
    tabs.addTab ("GENERAL SETTINGS", juce::Colours::skyblue, &one, false);
    tabs.addTab ("BUTTON FUNCTIONS", juce::Colours::orange, &two, false);
    EXPECT_EQ (tabs.getLastTabIndex(), 0);
    tabs.setCurrentTabIndex (1);
    EXPECT_EQ (tabs.getLastTabIndex(), 1);
}
