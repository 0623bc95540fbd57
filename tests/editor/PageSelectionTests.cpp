#include "editor/ShownFunctions.h"
#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace
{
using namespace NsOrvelA;

class PageSelection : public corvix::testing::PagesTest
{
protected:
    PageSelection() { chooseWorkstation (2); }

    juce::StringArray tabNames() { return pages->tabs.getTabNames(); }

    int visibleFunctions()
    {
        int count = 0;
        for (int i = 0; i < FuncLayer::buttonCount; ++i)
            count += pages->funcPage.getLayer().getFunctionButton (i).isVisible() ? 1 : 0;
        return count;
    }
};

TEST_F (PageSelection, AButtonControlHasThreePageTabsAndAnyOtherTwo)
{
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));

    pages->select (40);
    pages->select (41);
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "HOTKEY", "MIDI" }));

    pages->select (181);
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));
    pages->select (10);
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));

    EXPECT_FALSE (pages->refresh.setEditorTabsForControl (0));
    EXPECT_FALSE (pages->refresh.setEditorTabsForControl (227));
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));
}

TEST_F (PageSelection, TheAssignmentKindChoosesThePage)
{
    entry (40).setProperty (mapIds::valueType, "mouse", nullptr);
    pages->select (40);
    EXPECT_EQ (pages->tabs.getCurrentTabName(), "HOTKEY");

    entry (41).setProperty (mapIds::valueType, "midi", nullptr);
    pages->select (41);
    EXPECT_EQ (pages->tabs.getCurrentTabName(), "MIDI");

    entry (42).setProperty (mapIds::valueType, "nil", nullptr);
    pages->select (42);
    EXPECT_EQ (pages->tabs.getCurrentTabName(), "FUNCTION");

    entry (185).setProperty (mapIds::valueType, "hui", nullptr);
    pages->select (185);
    EXPECT_EQ (pages->tabs.getCurrentTabName(), "MIDI");
}

TEST_F (PageSelection, AFaderOrKnobHidesTheFunctionButtonsAndAButtonShowsThemAgain)
{
    const auto shown = visibleFunctions();
    ASSERT_GT (shown, 0);

    pages->select (184);
    EXPECT_EQ (visibleFunctions(), 0);
    pages->select (40);
    EXPECT_EQ (visibleFunctions(), shown);
    pages->select (171);
    EXPECT_EQ (visibleFunctions(), 0);

    chooseWorkstation (3);
    pages->select (171);
    EXPECT_GT (visibleFunctions(), 0) << "under HUI 171 is a button";
}

TEST_F (PageSelection, AButtonShowsOnlyTheFunctionsOfTheSlotsWorkstation)
{
    // From the workstation with the most functions to the one with the fewest.
    std::array<int, 19> offered{};
    for (int dawId = 1; dawId <= 18; ++dawId)
    {
        chooseWorkstation (dawId);
        offered[static_cast<size_t> (dawId)] = shownFunctionCodes.size();
    }

    const auto most = std::max_element (offered.begin() + 1, offered.end()) - offered.begin();
    const auto fewest = std::min_element (offered.begin() + 1, offered.end()) - offered.begin();
    ASSERT_GT (offered[static_cast<size_t> (most)], offered[static_cast<size_t> (fewest)]);

    chooseWorkstation (static_cast<int> (most));
    chooseWorkstation (static_cast<int> (fewest));
    pages->select (184);
    pages->select (40);
    EXPECT_EQ (visibleFunctions(), offered[static_cast<size_t> (fewest)]);
}

TEST_F (PageSelection, WithoutWorkstationTheSelectionStopsAfterTheTabs)
{
    entry (40).setProperty (mapIds::valueType, "mouse", nullptr);
    chooseWorkstation (0);
    pages->select (40);
    EXPECT_EQ (tabNames(), (juce::StringArray{ "FUNCTION", "HOTKEY", "MIDI" }));
    EXPECT_EQ (pages->tabs.getCurrentTabName(), "FUNCTION");
}
} // namespace
