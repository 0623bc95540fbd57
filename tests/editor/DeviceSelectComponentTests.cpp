#include "devices/PortNames.h"
#include "editor/DeviceSelectComponent.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findButtonWithText;
using corvix::testing::findFirst;
using corvix::testing::GuiHarness;
using talvor::test::ScriptedDialogs;
using talvor::test::ShownDialog;

bool dialogStillOpen (juce::Component& content)
{
    auto* window = content.findParentComponentOfClass<juce::DialogWindow>();
    return window != nullptr && window->isCurrentlyModal (false);
}

void press (juce::Component& content, const juce::String& caption)
{
    findButtonWithText (content, caption)->triggerClick();
    GuiHarness::pump (20);
}

juce::DialogWindow& windowOf (juce::Component& content)
{
    auto* window = content.findParentComponentOfClass<juce::DialogWindow>();

    if (window == nullptr)
        throw std::runtime_error ("the chooser is not in a dialog");

    return *window;
}

juce::ComboBox& listOf (juce::Component& content) { return *findFirst<juce::ComboBox> (content); }

class DeviceChooser : public corvix::testing::EditorTest
{
protected:
    void addOutputs (std::initializer_list<const char*> names)
    {
        for (auto* name : names)
            ports.addOutput (name, nullptr);
    }

    /** Runs CONNECT's chooser; the action plays the user on the chooser inside its dialog. */
    bool connect (ScriptedDialogs::ModalAction action)
    {
        scripted.answerModal (std::move (action));
        return DeviceSelectComponent::chooseOutputDevice (*host, &centre);
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    ScriptedDialogs scripted;
    juce::Component centre;
};

TEST_F (DeviceChooser, ListsOnlyControllerOutputsAndPreselectsTheHostsPort)
{
    addOutputs ({ "Orvel-A 1", "Synth", "Orvel-A 4", "TALVOR Midi 1", "Orvel-A 4" });
    DeviceSelectComponent chooser ("Orvel-A 4");

    auto& list = listOf (chooser);
    ASSERT_EQ (list.getNumItems(), 3) << "other devices and a second name are left out";
    EXPECT_EQ (list.getItemText (0), "Orvel-A 1");
    EXPECT_EQ (list.getItemText (1), "Orvel-A 4");
    EXPECT_EQ (list.getItemText (2), "TALVOR Midi 1");
    EXPECT_EQ (list.getItemId (0), 1);
    EXPECT_EQ (list.getText(), "Orvel-A 4");
    EXPECT_EQ (chooser.getSelectedName(), "Orvel-A 4");
    EXPECT_EQ (chooser.getName(), "DeviceSelectComponent");
    EXPECT_EQ (chooser.getBounds(), juce::Rectangle<int> (0, 0, 300, 200));

    list.setSelectedItemIndex (2, juce::sendNotificationSync);
    EXPECT_EQ (chooser.getSelectedName(), "TALVOR Midi 1");
}

TEST_F (DeviceChooser, TheFirstPortIsPreselectedWhenTheHostsNameIsNotListedExactly)
{
    addOutputs ({ "Orvel-A 3", "Orvel-A 4" });

    for (auto* name : { "", "orvel-a 4", "Orvel-A 5" })
    {
        DeviceSelectComponent chooser (name);
        EXPECT_EQ (chooser.getSelectedName(), "Orvel-A 3") << name;
    }
}

TEST_F (DeviceChooser, LaysOutTheListAcrossTheMiddleAndTheButtonsBottomRight)
{
    DeviceSelectComponent chooser ({});
    EXPECT_EQ (listOf (chooser).getBounds(), juce::Rectangle<int> (8, 76, 284, 24));
    EXPECT_EQ (findButtonWithText (chooser, "Cancel")->getBounds(), juce::Rectangle<int> (190, 160, 100, 30));
    EXPECT_EQ (findButtonWithText (chooser, "Select")->getBounds(), juce::Rectangle<int> (90, 160, 100, 30));
}

TEST_F (DeviceChooser, SelectHandsTheChosenControllerPortToTheHost)
{
    addOutputs ({ "Orvel-A 3", "Orvel-A 4" });
    host->setSelectedOutputName ("Orvel-A 3");

    EXPECT_TRUE (connect (
        [] (juce::Component& content)
        {
            listOf (content).setSelectedItemIndex (1, juce::sendNotificationSync);
            press (content, "Select");
        }));

    EXPECT_EQ (host->getSelectedOutputName(), "Orvel-A 4");
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::modalDialog);
    EXPECT_EQ (scripted.last().title, "Select your device to connect");
    EXPECT_EQ (scripted.last().associatedComponent, &centre);
}

TEST_F (DeviceChooser, WithoutControllerOutputsTheListIsEmptyAndSelectDoesNotClose)
{
    addOutputs ({ "Synth", "Keys" });
    host->setSelectedOutputName ("Orvel-A 4");
    bool stayedOpen = false;
    int items = -1;

    EXPECT_FALSE (connect (
        [&] (juce::Component& content)
        {
            items = listOf (content).getNumItems();
            press (content, "Select");
            stayedOpen = dialogStillOpen (content);
        }));

    EXPECT_EQ (items, 0);
    EXPECT_TRUE (stayedOpen);
    EXPECT_EQ (host->getSelectedOutputName(), "Orvel-A 4");
}

TEST_F (DeviceChooser, CancelEscapeAndTheCloseButtonEndWithZeroAndKeepTheSelectedPort)
{
    addOutputs ({ "Orvel-A 3", "Orvel-A 4" });
    const std::vector<std::pair<const char*, ScriptedDialogs::ModalAction>> ways = {
        { "Cancel", [] (juce::Component& content) { press (content, "Cancel"); } },
        { "Escape",
          [] (juce::Component& content)
          {
              static_cast<juce::Component&> (windowOf (content)).keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
              GuiHarness::pump (20);
          } },
        { "close button",
          [] (juce::Component& content)
          {
              windowOf (content).closeButtonPressed();
              GuiHarness::pump (20);
          } },
    };

    for (const auto& [way, action] : ways)
    {
        host->setSelectedOutputName ("Orvel-A 3");
        bool closed = false;

        EXPECT_FALSE (connect (
            [&, act = action] (juce::Component& content)
            {
                listOf (content).setSelectedItemIndex (1, juce::sendNotificationSync);
                act (content);
                closed = ! dialogStillOpen (content);
            }))
            << way;

        EXPECT_TRUE (closed) << way << " closes the dialog itself";
        EXPECT_EQ (host->getSelectedOutputName(), "Orvel-A 3") << way;
    }
}

TEST_F (DeviceChooser, SelectRefusesANameThatIsNoControllerPort)
{
    // A port may carry a controller-like name in the list only; anything else is refused even
    // when it is shown.
    addOutputs ({ "Orvel-A 4" });
    host->setSelectedOutputName ("Orvel-A 4");
    bool stayedOpen = false;

    EXPECT_FALSE (connect (
        [&] (juce::Component& content)
        {
            auto& list = listOf (content);
            list.setText ("Synth", juce::sendNotificationSync);
            press (content, "Select");
            stayedOpen = dialogStillOpen (content);
        }));

    EXPECT_TRUE (stayedOpen);
    EXPECT_EQ (host->getSelectedOutputName(), "Orvel-A 4");
}
} // namespace
