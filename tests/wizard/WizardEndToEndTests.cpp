#include "platform/WholeFile.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/FirmwareUpgradeDialog.h"
#include "wizard/FirmwareUpgradeLauncher.h"

// Whole upgrades through the launcher and the real wizard, as a user runs them.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

class WholeUpgrade : public WizardFixture
{
protected:
    /** Plays the user on the wizard's window: the action gets the wizard. */
    void onWizard (std::function<void (FirmwareUpgradeComponent&)> action)
    {
        scripted.answerModal ([action] (juce::Component& window) { action (dynamic_cast<FirmwareUpgradeDialog&> (window).getWizard()); });
    }

    static void click (FirmwareUpgradeComponent& wizard, int step)
    {
        wizard.getStepButton (step).triggerClick();
        pumpMessages (20);
    }

    int shownOfKind (ShownDialog::Kind kind) const
    {
        int n = 0;

        for (auto& shown : scripted.shown())
            n += shown.kind == kind ? 1 : 0;

        return n;
    }
};

TEST_F (WholeUpgrade, OneClickUpgradesAUnitOfThisSystemFromTheServer)
{
    addUnit ("Orvel-A V1.05 1");
    startServer().respondAlways (
        "/firmware.xml", Response::ok (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)"));
    const auto bytes = firmwareBytes();
    server->respondAlways ("/orvel_a_1.06.bin", Response::ok (bytes));
    scripted.answerOkCancel (true);
    int stepAfterwards = 0;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            click (wizard, 0);
            stepAfterwards = wizard.getCurrentStep();
        });
    letChooserConfirmItself();

    EXPECT_EQ (launchFirmwareUpgrader (2057, nullptr, true, true), 0);

    const auto flash = tool.flash ((int) bytes.getSize());
    EXPECT_EQ (std::memcmp (flash.begin(), bytes.getData(), bytes.getSize()), 0);
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 1);
    EXPECT_EQ (stepAfterwards, -1) << "back at the start";
    EXPECT_FALSE (cacheFolder.getFile().getChildFile ("orvel_a_1.06.bin").existsAsFile());
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0);
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (WholeUpgrade, AUnitFlashedOverMidiIsUpgradedStepByStepInTestMode)
{
    ports.addOutput ("TALVOR X Midi 1", nullptr);
    ports.addInput ("TALVOR X Midi 1");
    corvix::testing::SimulatedUpgradeDevice device (ports);
    const auto file = firmwareFileOnDisk ("any_101.bin", 1100);
    scripted.answerOkCancel (true);
    std::vector<int> steps;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            wizard.keyPressed (juce::KeyPress ('t'));

            for (int step = 0; step < FirmwareUpgradeComponent::stepCount; ++step)
            {
                click (wizard, step);
                steps.push_back (wizard.getCurrentStep());
            }
        });
    pressInChooser ("OK"); // step 1: the maker's port
    pressInChooser ("OK"); // step 3: the unit in upgrade mode
    scripted.answerFile (file);

    launchFirmwareUpgrader (101, nullptr, true, false);

    EXPECT_EQ (steps, (std::vector<int>{ 0, 1, 2, 3, -1 }));
    const auto image = device.writtenImage();
    const auto written = talvor::readWholeFile (file.getFullPathName());
    ASSERT_GE (image.size(), (size_t) written.size());
    EXPECT_EQ (std::memcmp (image.data(), written.begin(), (size_t) written.size()), 0);
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 1);
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (device.checksumErrors(), 0);
}

TEST_F (WholeUpgrade, RepeatModeCountsToTwentyOneRunAfterTheOtherAndStops)
{
    addUnit ("Orvel-A V1.05 1");
    FirmwareUpgradeComponent wizard (2057, false);
    repeatMode = true;
    repeatCount = 17;

    for (int run = 0; run < 4; ++run)
        scripted.answerFile (firmwareFileOnDisk());

    wizard.runStep (0);

    EXPECT_EQ (toolRuns ("write-memory"), 3);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 3) << "the twentieth upgrade was the last";
    EXPECT_EQ (repeatCount, 0);
    EXPECT_EQ (wizard.getDeepestStepNesting(), 5) << "each unit runs after the last, not inside it";
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 0);
}

TEST_F (WholeUpgrade, EscDuringRepeatModeEndsItAfterTheRunningUnit)
{
    addUnit ("Orvel-A V1.05 1");
    FirmwareUpgradeComponent wizard (2057, false);
    repeatMode = true;
    scripted.answerFile (firmwareFileOnDisk());
    scripted.answerFile (firmwareFileOnDisk());
    juce::Timer::callAfterDelay (1, [&wizard] { wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); });

    wizard.runStep (0);

    EXPECT_LE (toolRuns ("write-memory"), 1);
    EXPECT_LE (shownOfKind (ShownDialog::Kind::openChooser), 1);
    EXPECT_FALSE (repeatMode);
}

TEST_F (WholeUpgrade, TheTwoEditionsOfADeviceAreToldApartByTheirUpgradePortName)
{
    for (auto [portName, edition] : { std::pair{ "Talvor firmware upgrade 1.0", 186 }, std::pair{ "Talvor firmware upgrade 2.0", 2052 } })
    {
        corvix::testing::SimulatedUpgradeDevice device (ports, portName);
        FirmwareUpgradeComponent wizard (186, false);
        wizard.selectTargetProduct (186);
        wizard.runStep (1);
        pressInChooser ("OK");

        wizard.runStep (2);

        EXPECT_EQ (wizard.getSelectedProductId(), edition) << portName;
        EXPECT_EQ (wizard.getTargetProductId(), edition) << portName;
        EXPECT_EQ (wizard.getCurrentStep(), 2) << portName;
    }
}
} // namespace
