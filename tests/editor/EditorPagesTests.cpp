#include "devices/PortNames.h"
#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "editor/MappableButton.h"
#include "link/Host.h"
#include "link/MyTimer.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findControl;
using corvix::testing::GuiHarness;

/** The whole editor in a window, with the pages in its page tabs, scripted dialogs and a unit on
    the virtual ports. */
class EditorPages : public corvix::testing::HostTest
{
protected:
    EditorPages()
    {
        slotDawIds = { 2, 5, 12 };
        editor = std::make_unique<MainComp> (talvor::productIds::orvelA);
        corvix::testing::holdDeviceWatchTimerQuiet();
        harness = std::make_unique<GuiHarness> (*editor, MainComp::editorWidth, MainComp::editorHeight);
        GuiHarness::pump (20);
        slotDirty = { 0, 0, 0 };
    }

    ~EditorPages() override
    {
        harness = nullptr;
        editor = nullptr;
        stopDeviceLink();
    }

    /** Clicks a button control of the BUTTON FUNCTIONS grid. */
    MappableButton& clickGridControl (int controlId)
    {
        auto& button = editor->getFuncSection().getButtonSection().getButton (controlId - firstButtonControl);
        button.triggerClick();
        GuiHarness::pump();
        return button;
    }

    MappableButton& clickMixerControl (int controlId)
    {
        auto* button = findControl<MappableButton> (editor->getMixerSection(), controlId);
        EXPECT_NE (button, nullptr) << controlId;
        button->triggerClick();
        GuiHarness::pump();
        return *button;
    }

    juce::StringArray pageTabNames() { return editor->getPageTabs().getTabNames(); }

    int visibleFunctions()
    {
        int count = 0;
        for (int i = 0; i < FuncLayer::buttonCount; ++i)
            count += editor->getFuncPage().getLayer().getFunctionButton (i).isVisible() ? 1 : 0;
        return count;
    }

    talvor::test::ScriptedDialogs dialogs;
    std::unique_ptr<MainComp> editor;
    std::unique_ptr<GuiHarness> harness;
};

TEST_F (EditorPages, ThePageTabsFollowTheKindOfTheSelectedControl)
{
    EXPECT_EQ (pageTabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));

    clickGridControl (40);
    clickGridControl (40);
    EXPECT_EQ (pageTabNames(), (juce::StringArray{ "FUNCTION", "HOTKEY", "MIDI" }));
    EXPECT_GT (visibleFunctions(), 0);

    clickMixerControl (182);
    EXPECT_EQ (pageTabNames(), (juce::StringArray{ "FUNCTION", "MIDI" }));
    EXPECT_EQ (visibleFunctions(), 0) << "a fader takes no button function";
    EXPECT_EQ (editor->getPageTabs().getCurrentTabIndex(), editor->getPageTabs().getNumTabs() - 1)
        << "the fader's factory assignment is a MIDI one";
}

TEST_F (EditorPages, TheFunctionPageShowsTheSlotsWorkstationAndAClickAssignsTheFunction)
{
    auto& control = clickGridControl (41);
    auto& page = editor->getFuncPage();
    EXPECT_EQ (page.getDawChooser().getSelectedId(), 2);

    auto* function = &page.getLayer().getFunctionButton (0);
    for (int i = 0; i < FuncLayer::buttonCount && ! function->isEnabled(); ++i)
        function = &page.getLayer().getFunctionButton (i);
    function->triggerClick();
    GuiHarness::pump();

    EXPECT_EQ (control.getButtonText(), function->getButtonText());
    EXPECT_FALSE (function->isEnabled());
    EXPECT_EQ (slotDirty[0], 1);
}

TEST_F (EditorPages, ARightClickOpensTheControlMenu)
{
    clickGridControl (46);
    const auto before = host->getState().createCopy();
    dialogs.answerMenu (0);

    harness->mouseDown (*editor, { 5, 700 }, true);
    harness->mouseUp (*editor, { 5, 700 });
    GuiHarness::pump();

    ASSERT_EQ (dialogs.shown().size(), 1u);
    EXPECT_EQ (dialogs.last().menuItems, (juce::StringArray{ "1 Reset to default", "2 Remove this DAW", "3 Clear current button" }));
    EXPECT_TRUE (host->getState().isEquivalentTo (before)) << "dismissed";

    dialogs.answerMenu (3);
    editor->getSectionTabs().setCurrentTabIndex (1);
    harness->mouseDown (editor->getFuncSection().getButtonSection(), { 2, 2 }, true);
    harness->mouseUp (editor->getFuncSection().getButtonSection(), { 2, 2 });
    GuiHarness::pump();
    EXPECT_EQ (dialogs.shown().size(), 2u) << "the button grid opens it too";
    EXPECT_EQ (host->getStateTree().controlEntryInCurrentSlot (46).getProperty (mapIds::valueType).toString(), "null");
}

TEST_F (EditorPages, AMidiEditReachesAUnitThroughTheDeviceWatchTimer)
{
    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    corvix::testing::SimulatedUnit unit{ ports, {} };

    clickGridControl (42);
    auto& midi = editor->getMidiPage();
    midi.getTypeList().setSelectedItemIndex (1, juce::sendNotificationSync);
    midi.getChannelList().setSelectedId (3, juce::sendNotificationSync);
    midi.getValueList().setSelectedItemIndex (7, juce::sendNotificationSync);
    ASSERT_EQ (slotDirty[0], 1);

    corvix::testing::tickDeviceWatchTimer();

    ASSERT_TRUE (corvix::testing::waitUntil ([&unit] { return unit.slot (1).blocksReceived[7]; }));
    const auto row = controlTableRow (42) * 8;
    const auto table = unit.slot (1).table;
    EXPECT_EQ (std::vector<juce::uint8> (table.begin() + row, table.begin() + row + 4),
               (std::vector<juce::uint8>{ 0x0B, 0x0B, 0x02, 0x07 }))
        << "a controller of slot 1 on channel 3, number 7";
    EXPECT_EQ (0, std::memcmp (table.data(), deviceTableBuffers[0][0].data(), table.size())) << "byte for byte the device table";
}
} // namespace
