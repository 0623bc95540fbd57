#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/VirtualMidiPortBackend.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/DeviceSelectComponent.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;
using namespace talvor::test;

/** Three waits of 150 ms, each run as message-loop slices of 100 and 50 ms. */
const std::vector<int> threeWaitsOf150Ms{ 100, 50, 100, 50, 100, 50 };

class DeviceChooser : public testing::Test
{
protected:
    VirtualMidiPortBackend ports;
    ScopedMidiPortBackend installed{ ports };
    ScriptedDialogs scripted;
    std::vector<int> waits;

    void SetUp() override { resetWizardState(); }
    void TearDown() override { resetWizardState(); }

    void addOutputs (std::initializer_list<const char*> names)
    {
        for (auto* name : names)
            ports.addOutput (name, nullptr);
    }

    /** Builds the chooser while recording the waits it makes instead of sitting through them. */
    std::unique_ptr<DeviceSelectComponent> build (int productId, const juce::String& targetName)
    {
        ScopedDispatchSliceRunner recordWaits ([this] (int ms) { waits.push_back (ms); });
        return std::make_unique<DeviceSelectComponent> (productId, targetName);
    }

    /** Runs the chooser's dialog as the steps do; the action plays the user. */
    DeviceSelectComponent::Choice choose (int productId, const juce::String& targetName, ScriptedDialogs::ModalAction action)
    {
        scripted.answerModal (std::move (action));
        ScopedDispatchSliceRunner recordWaits ([this] (int ms) { waits.push_back (ms); });
        return DeviceSelectComponent::choose (productId, targetName, nullptr);
    }

    static void userDoesNothing (juce::Component&) { pumpMessages(); }

    int warningsShown() const
    {
        int n = 0;

        for (auto& shown : scripted.shown())
            if (shown.message == DeviceSelectComponent::targetNotFoundWarning)
                ++n;

        return n;
    }
};

TEST_F (DeviceChooser, WithoutTargetThePortOfTheProductIsPreselectedAtOnce)
{
    addOutputs ({ "Microsoft GS Wavetable Synth", "Zeta Synth", "Orvel-A MIDI 1" });
    auto chooser = build (2057, {});

    EXPECT_EQ (childOf<juce::ComboBox> (*chooser).getNumItems(), 2);
    EXPECT_EQ (childOf<juce::ComboBox> (*chooser).getItemId (0), 1);
    EXPECT_EQ (chooser->getChosenText(), "Orvel-A MIDI 1");
    EXPECT_EQ (chooser->getChosenIndex(), -1) << "set only by the user's pick";
    EXPECT_TRUE (waits.empty());
    EXPECT_TRUE (scripted.shown().empty());
}

TEST_F (DeviceChooser, WithoutTargetAndWithoutPortsOfTheProductTheFirstEntryIsTakenWithoutWarning)
{
    addOutputs ({ "Zeta Synth", "Orvel-B MIDI 1" });
    EXPECT_EQ (build (2057, {})->getChosenText(), "Zeta Synth");

    addOutputs ({ "Orvel-A MIDI 1", "Talvor firmware upgrade 1" });
    EXPECT_EQ (build (2057, {})->getChosenText(), "Zeta Synth") << "a unit in upgrade mode: the first entry stays";

    EXPECT_TRUE (waits.empty());
    EXPECT_EQ (warningsShown(), 0);
}

TEST_F (DeviceChooser, SixteenPortsOfTheProductAreNotTakenForAUnitInUpgradeMode)
{
    addOutputs ({ "Zeta Synth" });

    for (int i = 1; i <= 16; ++i)
        ports.addOutput ("Orvel-A MIDI " + juce::String (i), nullptr);

    EXPECT_EQ (build (2057, {})->getChosenText(), "Orvel-A MIDI 1");
}

TEST_F (DeviceChooser, AProductPortMissingFromTheListWaitsThreeTimesAndWarns)
{
    addOutputs ({ "Zeta Synth", "Microsoft Orvel-A Bridge" });
    auto chooser = build (2057, {});

    EXPECT_EQ (waits, threeWaitsOf150Ms);
    EXPECT_EQ (warningsShown(), 1);
    EXPECT_EQ (chooser->getChosenText(), "Zeta Synth");
}

TEST_F (DeviceChooser, WithTargetButNoUnitInUpgradeModeItWaitsWarnsAndDoesNotConfirmItself)
{
    addOutputs ({ "Zeta Synth", "Orvel-A MIDI 1" });
    automaticMode = true;

    auto choice = choose (2057, upgradeModeName, userDoesNothing);

    EXPECT_EQ (waits, threeWaitsOf150Ms);
    ASSERT_GE (scripted.shown().size(), 2u);
    const auto& warning = scripted.shown()[0];
    EXPECT_EQ (warning.kind, ShownDialog::Kind::messageBox);
    EXPECT_EQ (warning.icon, juce::MessageBoxIconType::NoIcon);
    EXPECT_EQ (warning.title, "");
    EXPECT_EQ (warning.message, "Warning: Cannot find target unit!");
    EXPECT_EQ (scripted.last().title, "Choose Your Talvor Device");
    EXPECT_FALSE (choice.accepted);
    EXPECT_EQ (choice.chosenText, "Zeta Synth");
}

TEST_F (DeviceChooser, WithTargetFoundAutomaticModeConfirmsItself)
{
    addOutputs ({ "Microsoft GS Wavetable Synth", "Orvel-A MIDI 1", "Talvor firmware upgrade 1" });
    automaticMode = true;

    auto choice = choose (2057, upgradeModeName, userDoesNothing);

    EXPECT_TRUE (waits.empty());
    EXPECT_EQ (warningsShown(), 0);
    EXPECT_TRUE (choice.accepted);
    EXPECT_EQ (choice.chosenText, "Talvor firmware upgrade manager");
}

TEST_F (DeviceChooser, OutsideAutomaticModeAFoundTargetWaitsForTheUser)
{
    addOutputs ({ "Orvel-A MIDI 1", "Talvor firmware upgrade 1" });

    EXPECT_FALSE (choose (2057, upgradeModeName, userDoesNothing).accepted);
}

TEST_F (DeviceChooser, InStepThreeOkOnAnOrdinaryPortKeepsTheDialogOpen)
{
    addOutputs ({ "Orvel-A MIDI 1", "Talvor firmware upgrade 1" });
    bool stayedOpen = false;

    auto choice = choose (2057, upgradeModeName,
                          [&] (juce::Component& content)
                          {
                              childOf<juce::ComboBox> (content).setSelectedItemIndex (0, juce::sendNotificationSync);
                              press (content, "OK");
                              stayedOpen = dialogStillOpen (content);

                              childOf<juce::ComboBox> (content).setSelectedItemIndex (1, juce::sendNotificationSync);
                              press (content, "OK");
                          });

    EXPECT_TRUE (stayedOpen);
    EXPECT_TRUE (choice.accepted);
    EXPECT_EQ (choice.chosenText, "Talvor firmware upgrade manager");
}

TEST_F (DeviceChooser, InStepOneOkOnAnUpgradeModePortKeepsTheDialogOpen)
{
    addOutputs ({ "Orvel-A MIDI 1", "Talvor firmware upgrade 1" });

    auto choice = choose (2057, {},
                          [] (juce::Component& content)
                          {
                              childOf<juce::ComboBox> (content).setSelectedItemIndex (1, juce::sendNotificationSync);
                              press (content, "OK");
                          });

    EXPECT_FALSE (choice.accepted);
}

TEST_F (DeviceChooser, TestModeAcceptsTheMakersPortInStepThree)
{
    addOutputs ({ "TALVOR Orvel Midi 1" });
    auto pressOk = [] (juce::Component& content) { press (content, "OK"); };

    EXPECT_FALSE (choose (2057, upgradeModeName, pressOk).accepted);

    testMode = true;
    auto choice = choose (2057, upgradeModeName, pressOk);
    EXPECT_TRUE (choice.accepted);
    EXPECT_EQ (choice.chosenText, "TALVOR Orvel Midi 1");
}

TEST_F (DeviceChooser, CancelEndsTheRunWithoutAChoice)
{
    addOutputs ({ "Orvel-A MIDI 1" });

    EXPECT_FALSE (choose (2057, {}, [] (juce::Component& content) { press (content, "Cancel"); }).accepted);
}

TEST_F (DeviceChooser, PickingAnEntryRecordsItsPositionAndText)
{
    addOutputs ({ "Zeta Synth", "Orvel-A MIDI 1" });
    auto chooser = build (2057, {});

    childOf<juce::ComboBox> (*chooser).setSelectedItemIndex (0, juce::sendNotificationSync);

    EXPECT_EQ (chooser->getChosenIndex(), 0);
    EXPECT_EQ (chooser->getChosenText(), "Zeta Synth");
}

TEST_F (DeviceChooser, LaysOutTheListAndTheButtons)
{
    addOutputs ({ "Orvel-A MIDI 1" });
    auto chooser = build (2057, {});

    EXPECT_EQ (chooser->getName(), "DeviceSelectComponent");
    EXPECT_EQ (chooser->getBounds(), juce::Rectangle<int> (0, 0, 300, 200));
    EXPECT_EQ (childOf<juce::ComboBox> (*chooser).getBounds(), juce::Rectangle<int> (8, 76, 284, 24));
    EXPECT_EQ (childOf<juce::TextButton> (*chooser, "Cancel").getBounds(), juce::Rectangle<int> (190, 160, 100, 30));
    EXPECT_EQ (childOf<juce::TextButton> (*chooser, "OK").getBounds(), juce::Rectangle<int> (90, 160, 100, 30));
}
} // namespace
