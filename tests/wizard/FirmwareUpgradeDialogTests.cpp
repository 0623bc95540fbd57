#include "firmware/UpgradeFrames.h"
#include "tests/support/GuiHarness.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/FirmwareUpgradeDialog.h"
#include "wizard/FirmwareUpgradeLauncher.h"

namespace
{
using namespace talvor;
using namespace talvor::test;

using UpgradeDialog = WizardFixture;

FirmwareUpgradeDialog& dialogOf (juce::Component& window) { return dynamic_cast<FirmwareUpgradeDialog&> (window); }

TEST_F (UpgradeDialog, CancellingTheStartWarningMakesNoWizard)
{
    scripted.answerOkCancel (false);

    EXPECT_EQ (launchFirmwareUpgrader (2057, nullptr, true, true), 0);

    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().title, "Firmware Upgrader about to start");
    EXPECT_EQ (scripted.last().message, upgradeStartWarning);
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_FALSE (automaticMode) << "no wizard was constructed";
}

TEST_F (UpgradeDialog, RunsTheWizardInItsModalWindowAfterTheWarning)
{
    scripted.answerOkCancel (true);
    juce::String shownTitle;
    bool openAfterEsc = false;
    scripted.answerModal (
        [&] (juce::Component& window)
        {
            auto& dialog = dialogOf (window);
            shownTitle = dialog.getName();
            dialog.getWizard().keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
            static_cast<juce::Component&> (dialog).keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
            pumpMessages();
            openAfterEsc = dialog.isCurrentlyModal (false);
            EXPECT_TRUE (dialog.isUsingNativeTitleBar());
            EXPECT_FALSE (dialog.isResizable());
        });

    EXPECT_EQ (launchFirmwareUpgrader (2057, nullptr, true, true), 0);
    EXPECT_EQ (shownTitle, "Firmware Upgrade");
    EXPECT_TRUE (openAfterEsc) << "Esc never closes the window";
    EXPECT_TRUE (serverMode);
    EXPECT_TRUE (automaticMode);
}

TEST_F (UpgradeDialog, ClosesBetweenStepsInAnyMode)
{
    for (auto automatic : { true, false })
    {
        FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (2057, true), nullptr);
        automaticMode = automatic;
        bool stillOpen = true;
        scripted.answerModal (
            [&] (juce::Component& window)
            {
                dialogOf (window).closeButtonPressed();
                stillOpen = window.isCurrentlyModal (false);
            });

        dialog.run();
        EXPECT_FALSE (stillOpen) << "automatic " << automatic;
    }
}

TEST_F (UpgradeDialog, ACloseDuringAStepStopsItAndClosesOnceTheStepHasReturned)
{
    addUnit();
    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (2057, true), nullptr);
    automaticMode = false;
    repeatMode = true;
    bool openWhileStepRan = false;
    bool closedAfterStep = false;

    // The outer action plays the user on the wizard; the inner one, the chooser of step 1.
    scripted.answerModal (
        [&] (juce::Component& window)
        {
            dialog.getWizard().getStepButton (0).triggerClick();
            pumpMessages (100);
            closedAfterStep = ! window.isCurrentlyModal (false);
        });
    scripted.answerModal (
        [&] (juce::Component&)
        {
            dialog.closeButtonPressed();
            openWhileStepRan = dialog.isCurrentlyModal (false);
            EXPECT_EQ (dialog.getWizard().getStatusLabel().getText(), juce::String::fromUTF8 ("Stopping\xe2\x80\xa6"));
        });

    dialog.run();

    EXPECT_TRUE (openWhileStepRan) << "the wizard is never closed under its own step";
    EXPECT_TRUE (closedAfterStep);
    EXPECT_TRUE (abortRequested);
    EXPECT_FALSE (repeatMode);
}

TEST_F (UpgradeDialog, ACloseWhileStep1sChooserIsOpenEndsTheStepWithoutABox)
{
    ports.addOutput ("TALVOR X Midi 1", nullptr);
    ports.addInput ("TALVOR X Midi 1");
    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (101, true), nullptr);
    bool closed = false;
    scripted.answerModal (
        [&] (juce::Component& window)
        {
            dialog.getWizard().getStepButton (0).triggerClick();
            closed = runLoopUntilClosed (window);
        });
    scripted.answerModal ([&] (juce::Component&) { dialog.closeButtonPressed(); });

    dialog.run();

    EXPECT_TRUE (closed);
    EXPECT_EQ (scripted.shown().size(), 2u) << "the window and the chooser; the step's empty box is not shown to a closing window";
}

TEST_F (UpgradeDialog, ACloseDuringAStepsWaitEndsTheWaitAndTheWindow)
{
    // A product flashed over MIDI without any MIDI input: step 1 polls for a long while.
    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (101, true), nullptr);
    automaticMode = false;
    bool closed = false;
    scripted.answerModal (
        [&] (juce::Component& window)
        {
            // The user closes the window while the step waits: in its wait's first slice, not after
            // some time, which a busy machine could let the step's polls outlast.
            bool closePressed = false;
            const ScopedDispatchSliceRunner closeInTheFirstWait (
                [&] (int ms)
                {
                    slicesOf100Ms += ms == 100 ? 1 : 0;
                    if (! closePressed)
                    {
                        closePressed = true;
                        dialog.closeButtonPressed();
                    }
                    juce::MessageManager::getInstance()->runDispatchLoopUntil (juce::jmax (1, ms / 10));
                });
            dialog.getWizard().getStepButton (0).triggerClick();
            closed = runLoopUntilClosed (window);
        });

    dialog.run();

    EXPECT_TRUE (closed);
    EXPECT_LT (slicesOf100Ms, 50) << "the polls (15 waits of one second) stopped on the close";
}

TEST_F (UpgradeDialog, ClosingResetsTheMidiUnitsLeftInUpgradeMode)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (101, true), nullptr);

    dialog.run();

    const auto received = device.receivedMessages();
    ASSERT_EQ (received.size(), 1u + upgradeFrameSize);
    EXPECT_EQ (received[0], (std::vector<juce::uint8>{ 0xEF, 0x7F, 0x7F }));
    EXPECT_EQ (device.receivedFrames().size(), 1u);
    const auto frame = resetFrame();
    EXPECT_EQ (device.receivedFrames()[0], std::vector<juce::uint8> (frame.begin(), frame.end()));
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (UpgradeDialog, TheBackEndLetsTheUpgradePortGoBeforeTheUnitIsReset)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    ports.setExclusiveOpens (true);
    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (101, true), nullptr);
    bool handlerOpen = false;
    scripted.answerModal (
        [&] (juce::Component&)
        {
            auto& wizard = dialog.getWizard();
            wizard.selectTargetProduct (101);
            wizard.runStep (1);
            wizard.runStep (2);
            handlerOpen = wizard.isMidiHandlerOpen();
        });
    pressInChooser ("OK");

    dialog.run();

    ASSERT_TRUE (handlerOpen);
    EXPECT_EQ (device.receivedFrames().size(), 1u) << "the reset frame reached the unit through the port the back-end held";
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (UpgradeDialog, ClosingResetsAUnitTheBootloaderToolAnsweredFor)
{
    {
        FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (2057, true), nullptr);
        dialog.run();
    }
    EXPECT_EQ (toolRuns ("reset"), 0) << "no unit answered";

    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (2057, true), nullptr);
    unitFound = true;
    dialog.run();
    EXPECT_EQ (toolRuns ("reset"), 1);
}

TEST_F (UpgradeDialog, TheWizardTakesTheKeysWhenItOpensAndAfterEachChooser)
{
    addUnit();
    scripted.answerOkCancel (true);
    bool focusedAtOpen = false;
    bool focusedAfterTheChooser = false;
    bool automaticAfterA = true;
    juce::StringArray titles;
    scripted.answerModal (
        [&] (juce::Component& window)
        {
            auto& wizard = dialogOf (window).getWizard();
            auto* peer = window.getPeer();
            ASSERT_NE (peer, nullptr);
            const auto type = [&] (char key)
            {
                peer->handleKeyPress (juce::KeyPress (key));
                pumpMessages (20);
            };

            // Keys as the window's system window receives them, without a click first.
            focusedAtOpen = corvix::testing::GuiHarness::pumpUntil ([&] { return wizard.hasKeyboardFocus (false); });
            type ('a');
            automaticAfterA = automaticMode;
            type ('m');
            titles.add (wizard.getWindowTitle());

            // Step 1's chooser is a window of its own; it is cancelled, and a box follows.
            wizard.getStepButton (0).triggerClick();
            pumpMessages (50);
            focusedAfterTheChooser = wizard.hasKeyboardFocus (false);
            type ('m');
            titles.add (wizard.getWindowTitle());
        });
    pressInChooser ("Cancel");

    launchFirmwareUpgrader (2057, nullptr, true, true);

    EXPECT_TRUE (focusedAtOpen);
    EXPECT_FALSE (automaticAfterA);
    EXPECT_TRUE (shownTitle ("Choose Your Talvor Device"));
    EXPECT_TRUE (focusedAfterTheChooser);
    EXPECT_EQ (titles, (juce::StringArray{ "Firmware Upgrade [M]", "Firmware Upgrade" }));
}
} // namespace
