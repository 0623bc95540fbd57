#include "devices/PortNames.h"
#include "editor/DeviceLink.h"
#include "editor/FirmwareUpgradeCommand.h"
#include "editor/MainComp.h"
#include "firmware/WizardState.h"
#include "link/HostMidiInputHandler.h"
#include "link/MyTimer.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using corvix::testing::waitUntil;

class FirmwareUpgradeCommand : public corvix::testing::HostTest
{
protected:
    FirmwareUpgradeCommand()
    {
        talvor::resetWizardState();
        talvor::bootloaderToolPathSetting = "/nowhere/bootloader-tool";
        host->getStateTree().slotNode (1, 1).setProperty (mapIds::current, 1, nullptr);
    }

    ~FirmwareUpgradeCommand() override
    {
        timer.stopTimer();
        talvor::resetWizardState();
    }

    bool unitInputOpen() const { return host->getMidiHandler() != nullptr && host->getMidiHandler()->isOpen(); }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    SimulatedUnit unit{ ports, SimulatedUnit::Setup{ 2057, "Orvel-A", 4, SimulatedUnit::PortNaming::sharedNames } };
    talvor::test::ScriptedDialogs scripted;
    MyTimer timer;
    juce::Component editor;
};

TEST_F (FirmwareUpgradeCommand, WaitsForTheUploadThenRunsTheWizardWithoutTrafficAndGivesTheUnitsBackAfterwards)
{
    ASSERT_TRUE (setDeviceInputOpen (2057, true));
    // The upload ends while the command waits for it, at its third wait however long a wait
    // takes on this machine: a clock would let a busy machine outlast the command's patience.
    transferBusy = 1;
    int waits = 0;
    const talvor::ScopedDispatchSliceRunner uploadEnds (
        [&waits] (int milliseconds)
        {
            if (++waits == 3)
                transferBusy = 0;
            juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
        });

    bool inputOpenDuringWizard = true;
    size_t sentDuringWizard = 0;
    scripted.answerOkCancel (true);
    scripted.answerModal (
        [&] (juce::Component&)
        {
            inputOpenDuringWizard = unitInputOpen();
            // A slot waits for upload and the timer ticks all through the wizard.
            unit.clearReceived();
            slotDirty[0] = 1;
            timer.startTimer (10);
            corvix::testing::runMessageLoopSlice (600);
            sentDuringWizard = unit.received().size();
        });

    runFirmwareUpgradeFromEditor (editor);

    EXPECT_TRUE (scripted.titles().contains ("Firmware Upgrader about to start"));
    EXPECT_TRUE (scripted.titles().contains ("Firmware Upgrade")) << "the wizard ran";
    EXPECT_FALSE (inputOpenDuringWizard);
    EXPECT_EQ (sentDuringWizard, 0u) << "the timer sends the units nothing while the wizard runs";
    EXPECT_EQ (keepInputOpen, 1);
    EXPECT_EQ (transferBusy, 0);
    EXPECT_TRUE (unitInputOpen());
    EXPECT_TRUE (waitUntil ([this] { return ! unit.received().empty(); })) << "uploads resume";
}

TEST_F (FirmwareUpgradeCommand, AnUploadThatDoesNotEndIsNeverCutShort)
{
    const talvor::ScopedDispatchSliceRunner quickWaits ([] (int) { juce::MessageManager::getInstance()->runDispatchLoopUntil (1); });
    transferBusy = 1;

    runFirmwareUpgradeFromEditor (editor);

    ASSERT_EQ (scripted.shown().size(), 1u) << "no warning, no wizard";
    EXPECT_EQ (scripted.last().message, uploadStillRunningText);
    EXPECT_EQ (transferBusy, 1) << "the upload goes on";
    EXPECT_EQ (keepInputOpen, 1);
}

TEST_F (FirmwareUpgradeCommand, CancellingTheWarningGivesTheUnitsTheirInputBack)
{
    scripted.answerOkCancel (false);

    runFirmwareUpgradeFromEditor (editor);

    EXPECT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (keepInputOpen, 1);
    EXPECT_EQ (transferBusy, 0);
    EXPECT_TRUE (unitInputOpen());
}
TEST_F (FirmwareUpgradeCommand, TheEditorsButtonStartsTheUpgraderForTheModelBeingEdited)
{
    {
        MainComp mainComp (2058);
        corvix::testing::GuiHarness harness (mainComp, 600, 400);
        corvix::testing::GuiHarness::pump (20);
        talvor::automaticMode = false;
        scripted.answerOkCancel (true);

        mainComp.getCommandButton (MainComp::Command::firmware).triggerClick();
        corvix::testing::GuiHarness::pump (50);
        EXPECT_EQ (keepInputOpen, 1) << "the units have their input back";
    }
    stopDeviceLink();

    ASSERT_GE (scripted.shown().size(), 2u);
    EXPECT_EQ (scripted.shown()[0].title, "Firmware Upgrader about to start");
    EXPECT_EQ (scripted.shown()[1].title, "Firmware Upgrade");
    EXPECT_TRUE (talvor::automaticMode) << "a wizard for the extender, a unit flashed by the bootloader tool";
    EXPECT_TRUE (talvor::serverMode);
}
} // namespace
