#include "editor/ShownFunctions.h"
#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "map/WorkstationFunctionNames.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

class FunctionPage : public corvix::testing::PagesTest
{
protected:
    FuncLayer& layer() { return pages->funcPage.getLayer(); }

    /** The function button that shows a code, or null. */
    MappableButton* buttonOfCode (int code)
    {
        for (int i = 0; i < FuncLayer::buttonCount; ++i)
            if (layer().getFunctionButton (i).isVisible() && layer().getFunctionButton (i).getValueAsInt() == code)
                return &layer().getFunctionButton (i);

        return nullptr;
    }

    MappableButton* firstEnabledFunction()
    {
        for (int i = 0; i < FuncLayer::buttonCount; ++i)
            if (layer().getFunctionButton (i).isVisible() && layer().getFunctionButton (i).isEnabled())
                return &layer().getFunctionButton (i);

        return nullptr;
    }

    void click (MappableButton& button) { layer().buttonClicked (&button); }

    int visibleButtons()
    {
        int count = 0;
        for (int i = 0; i < FuncLayer::buttonCount; ++i)
            count += layer().getFunctionButton (i).isVisible() ? 1 : 0;
        return count;
    }
};

TEST_F (FunctionPage, ShowsTheNamedFunctionsOfTheSlotsWorkstationPackedWithTheirOwnCodes)
{
    chooseWorkstation (2);

    juce::Array<int> expected;
    for (int code = 0; code < 128; ++code)
        if (workstationFunctionNames (2, code).trim().isNotEmpty())
            expected.add (code);

    ASSERT_GT (expected.size(), 0);
    ASSERT_LT (expected.size(), 128) << "the table must have gaps for this to show packing";
    EXPECT_EQ (shownFunctionCodes, expected);
    EXPECT_EQ (visibleButtons(), expected.size());

    for (int i = 0; i < expected.size(); ++i)
    {
        auto& button = layer().getFunctionButton (i);
        EXPECT_EQ (button.getValueAsInt(), expected[i]);
        EXPECT_EQ (button.getButtonText(), workstationFunctionNames (2, expected[i]).trim());
        EXPECT_EQ (shownFunctionNames[i], button.getButtonText());
    }
}

TEST_F (FunctionPage, TheHuiWorkstationOffersCodesOneTo112Only)
{
    chooseWorkstation (3);

    ASSERT_FALSE (shownFunctionCodes.isEmpty());
    EXPECT_EQ (shownFunctionCodes.getFirst(), 1);
    EXPECT_LE (shownFunctionCodes.getLast(), 112);
    EXPECT_FALSE (shownFunctionNames.contains ("(blank)"));
    EXPECT_FALSE (shownFunctionNames.contains ("(custom)"));

    int named = 0;
    for (int code = 1; code <= 112; ++code)
        named += workstationFunctionNames (3, code).trim().isNotEmpty() ? 1 : 0;
    EXPECT_EQ (shownFunctionCodes.size(), named);
}

TEST_F (FunctionPage, ASlotWithoutWorkstationOrAnInvalidSlotShowsNoFunction)
{
    chooseWorkstation (5);
    ASSERT_GT (visibleButtons(), 0);

    slotDawIds[0] = 0;
    pages->funcPage.fillFunctionButtons();
    EXPECT_EQ (visibleButtons(), 0);
    EXPECT_TRUE (shownFunctionNames.isEmpty());

    slotDawIds[0] = 5;
    currentSlotId = 0;
    pages->funcPage.fillFunctionButtons();
    EXPECT_EQ (visibleButtons(), 0);
}

TEST_F (FunctionPage, ClickingAFunctionAssignsItChoosesItAndMarksTheSlot)
{
    chooseWorkstation (2, 2);
    auto& control = pages->select (40);
    const auto code = shownFunctionCodes[3];
    auto* function = buttonOfCode (code);
    ASSERT_NE (function, nullptr);

    click (*function);

    const auto e = entry (40);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "func");
    EXPECT_EQ (e.getProperty (mapIds::type).toString(), "note");
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::value)), code);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::msgValue)), code);
    EXPECT_EQ (e.getProperty (mapIds::name).toString(), function->getButtonText());
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::diyNameQ)), 0);
    EXPECT_EQ (control.getButtonText(), function->getButtonText()) << "the caption follows at once";
    EXPECT_TRUE (function->getToggleState());
    EXPECT_FALSE (function->isEnabled());
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 1, 0 }));

    // The next choice frees the previous one.
    auto* second = buttonOfCode (shownFunctionCodes[7]);
    click (*second);
    EXPECT_TRUE (function->isEnabled());
    EXPECT_FALSE (function->getToggleState());
    EXPECT_TRUE (second->getToggleState());
    EXPECT_FALSE (second->isEnabled());
    EXPECT_EQ (layer().getSelectedButton(), second);
}

TEST_F (FunctionPage, UnderHuiAFunctionIsNamedByTheControlsClass)
{
    chooseWorkstation (3);
    pages->select (50);
    auto* function = buttonOfCode (shownFunctionCodes[0]);
    click (*function);
    EXPECT_EQ (entry (50).getProperty (mapIds::name).toString(), function->getButtonText());
    EXPECT_EQ (entry (50).getProperty (mapIds::valueType).toString(), "func");
}

TEST_F (FunctionPage, AClickWithoutControlOrOnAFixedHuiButtonChangesNothing)
{
    chooseWorkstation (3);
    auto* function = firstEnabledFunction();
    ASSERT_NE (function, nullptr);

    click (*function);
    EXPECT_EQ (layer().getSelectedButton(), nullptr);
    EXPECT_TRUE (function->isEnabled());

    pages->select (46);
    const auto before = entry (46).createCopy();
    click (*function);
    EXPECT_TRUE (entry (46).isEquivalentTo (before));
    EXPECT_FALSE (function->getToggleState());
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
}

TEST_F (FunctionPage, ChoosingTheSlotsWorkstationAgainWritesNothing)
{
    chooseWorkstation (4);
    const auto refreshes = pages->fullRefreshes;

    pages->funcPage.getDawChooser().setSelectedId (4, juce::sendNotificationSync);
    EXPECT_EQ (pages->fullRefreshes, refreshes);
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));

    pages->funcPage.getDawChooser().setSelectedId (7, juce::sendNotificationSync);
    EXPECT_EQ (slotDawIds[0], 7);
    EXPECT_EQ (host->getStateTree().slotDawId (1), 7);
    EXPECT_EQ (pages->fullRefreshes, refreshes + 1);
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 0, 0 }));
    EXPECT_EQ (shownFunctionCodes.size(), visibleButtons()) << "the page shows the new workstation's functions";
}

TEST_F (FunctionPage, FunctionsInUseAreDisabledIgnoringCaseAndBlanks)
{
    chooseWorkstation (2);
    auto& first = layer().getFunctionButton (0);
    auto& second = layer().getFunctionButton (1);

    usedFunctionNames.clear();
    first.setEnabled (false);
    layer().disableListedFunctions();
    EXPECT_FALSE (first.isEnabled()) << "an empty list leaves every button as it was";

    usedFunctionNames.add ("  " + second.getButtonText().toUpperCase() + " ");
    layer().disableListedFunctions();
    EXPECT_TRUE (first.isEnabled());
    EXPECT_FALSE (second.isEnabled());
}

TEST_F (FunctionPage, OnlyTheFirstButtonOfACaptionIsReEnabled)
{
    chooseWorkstation (2);
    auto& a = layer().getFunctionButton (0);
    auto& b = layer().getFunctionButton (1);
    b.setButtonText (a.getButtonText());
    a.setEnabled (false);
    b.setEnabled (false);

    layer().setFunctionEnabled (a.getButtonText().toLowerCase(), true);
    EXPECT_TRUE (a.isEnabled());
    EXPECT_FALSE (b.isEnabled());
}

TEST_F (FunctionPage, TheSelectedControlsFunctionIsShownChosen)
{
    chooseWorkstation (2);
    auto* function = buttonOfCode (shownFunctionCodes[5]);
    pages->select (60);
    click (*function);

    pages->select (61);
    EXPECT_FALSE (function->getToggleState());

    pages->select (60);
    EXPECT_TRUE (function->getToggleState());
    EXPECT_EQ (layer().getSelectedButton(), function);
}
} // namespace
