#include "tests/support/GuiHarness.h"
#include "tests/wizard/WizardFixture.h"

namespace
{
using namespace talvor;
using namespace talvor::test;

using Wizard = WizardFixture;

std::vector<bool> enabledButtons (FirmwareUpgradeComponent& wizard)
{
    std::vector<bool> enabled;

    for (int i = 0; i < FirmwareUpgradeComponent::stepCount; ++i)
        enabled.push_back (wizard.getStepButton (i).isEnabled());

    return enabled;
}

TEST_F (Wizard, LaysOutItsColumnsAndRowsAtTheStandardSize)
{
    FirmwareUpgradeComponent wizard (2057, true);

    EXPECT_EQ (wizard.getWidth(), 514);
    EXPECT_EQ (wizard.getHeight(), 450);
    EXPECT_EQ (wizard.getStatusLabel().getBounds(), juce::Rectangle<int> (0, 10, 514, 20));
    EXPECT_EQ (wizard.getProgressBar().getBounds(), juce::Rectangle<int> (40, 36, 434, 24));
    EXPECT_EQ (wizard.getStepButton (0).getBounds(), juce::Rectangle<int> (17, 92, 90, 20));
    EXPECT_EQ (wizard.getStepButton (4).getBounds(), juce::Rectangle<int> (17 + 4 * 96, 92, 90, 20));
    EXPECT_EQ (wizard.getInstructionLabel (0).getBounds(), juce::Rectangle<int> (93, 155, 407, 50));
    EXPECT_EQ (wizard.getInstructionLabel (4).getBottom(), 429);
    EXPECT_EQ (wizard.getStatusLabel().getText(), "Upgrade Progress");
}

TEST_F (Wizard, CaptionsAndInstructionsFollowTheServerModeItWasBuiltWith)
{
    FirmwareUpgradeComponent withServer (2057, true);
    EXPECT_EQ (withServer.getStepButton (3).getButtonText(), "Select Version");
    EXPECT_EQ (withServer.getInstructionLabel (0).getText(),
               "Please connect your Talvor device and click \"Start\" button \nto create the connection");
    EXPECT_TRUE (withServer.getInstructionLabel (3).getText().startsWith ("Click \"Select Version\", the process"));

    FirmwareUpgradeComponent files (2057, false);
    EXPECT_EQ (files.getStepButton (3).getButtonText(), "Load File");
    EXPECT_TRUE (files.getInstructionLabel (3).getText().startsWith ("Download the latest firmware on \""));
    EXPECT_TRUE (files.getInstructionLabel (3).getText().endsWith ("then click the \"Load File\" button to browse the firmware file"));
    EXPECT_EQ (FirmwareUpgradeComponent::stepButtonCaption (5, true), "Invalid Step");
    EXPECT_EQ (FirmwareUpgradeComponent::stepInstruction (-1, true), "");
}

TEST_F (Wizard, StepButtonsFollowTheLastStepDone)
{
    FirmwareUpgradeComponent wizard (2057, true);
    EXPECT_EQ (enabledButtons (wizard), (std::vector<bool>{ true, false, false, false, false }));

    wizard.setCurrentStep (2);
    EXPECT_EQ (enabledButtons (wizard), (std::vector<bool>{ true, true, true, true, false }));
    EXPECT_DOUBLE_EQ (wizardProgress, 0.6);

    wizard.setCurrentStep (4);
    EXPECT_EQ (enabledButtons (wizard), (std::vector<bool>{ true, true, true, true, true }));

    wizard.setBusy (true);
    EXPECT_EQ (enabledButtons (wizard), (std::vector<bool>{ false, false, false, false, false }));
    EXPECT_TRUE (wizardBusy);

    wizard.setCurrentStep (-1);
    EXPECT_EQ (enabledButtons (wizard), (std::vector<bool>{ true, false, false, false, false }));
    EXPECT_DOUBLE_EQ (wizardProgress, 0.0);
}

TEST_F (Wizard, TheLastStepCountsAnUpgradeOnlyInAutomaticMode)
{
    FirmwareUpgradeComponent wizard (2057, true);
    ASSERT_TRUE (automaticMode) << "a unit of this system starts the wizard in automatic mode";

    wizard.setCurrentStep (4);
    EXPECT_EQ (repeatCount, 1);

    automaticMode = false;
    wizard.setCurrentStep (4);
    EXPECT_EQ (repeatCount, 1);
}

TEST_F (Wizard, AProductFlashedOverMidiKeepsTheAutomaticModeAnEarlierWizardLeft)
{
    automaticMode = false;
    {
        FirmwareUpgradeComponent wizard (101, true);
        EXPECT_FALSE (automaticMode);
    }
    automaticMode = true;
    FirmwareUpgradeComponent wizard (101, true);
    EXPECT_TRUE (automaticMode);
}

TEST_F (Wizard, TitleShowsTestModeFileModeAndTheRepeatCount)
{
    FirmwareUpgradeComponent wizard (2057, true);
    EXPECT_EQ (FirmwareUpgradeComponent::makeWindowTitle(), "Firmware Upgrade");

    testMode = true;
    serverMode = false;
    repeatMode = true;
    repeatCount = 3;
    EXPECT_EQ (FirmwareUpgradeComponent::makeWindowTitle(), "Firmware Upgrade. [M][3/20]");

    testMode = false;
    repeatMode = false;
    wizard.setWindowTitle ("Orvel-A");
    EXPECT_EQ (wizard.getWindowTitle(), "Firmware Upgrade [M]: Orvel-A");
}

TEST_F (Wizard, HiddenKeysSwitchTheModes)
{
    FirmwareUpgradeComponent wizard (2057, true);

    wizard.keyPressed (juce::KeyPress ('m'));
    EXPECT_FALSE (serverMode);
    EXPECT_EQ (wizard.getWindowTitle(), "Firmware Upgrade [M]");
    EXPECT_EQ (wizard.getStepButton (3).getButtonText(), "Select Version") << "captions are set once";

    wizard.keyPressed (juce::KeyPress ('a'));
    EXPECT_FALSE (automaticMode);
    wizard.keyPressed (juce::KeyPress ('o'));
    EXPECT_FALSE (acceptAnyProduct);

    abortRequested = true;
    wizard.keyPressed (juce::KeyPress ('s'));
    EXPECT_TRUE (repeatMode);
    EXPECT_FALSE (abortRequested);

    wizard.keyPressed (juce::KeyPress ('t'));
    EXPECT_TRUE (testMode);
    EXPECT_EQ (wizard.getWindowTitle(), "Firmware Upgrade. [M][0/20]");

    wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_TRUE (abortRequested);
    EXPECT_FALSE (repeatMode);
}

TEST_F (Wizard, WhileAStepRunsOnlyEscIsTaken)
{
    addUnit();
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;

    // The user presses keys while the chooser of step 1 is open.
    scripted.answerModal (
        [&wizard] (juce::Component&)
        {
            for (auto key : { 'a', 's', 'm', 't', 'o' })
                wizard.keyPressed (juce::KeyPress (key));

            wizard.keyPressed (juce::KeyPress (juce::KeyPress::F1Key));
            wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
        });
    wizard.runStep (0);

    EXPECT_FALSE (automaticMode);
    EXPECT_FALSE (repeatMode);
    EXPECT_TRUE (serverMode);
    EXPECT_FALSE (testMode);
    EXPECT_TRUE (acceptAnyProduct);
    EXPECT_TRUE (abortRequested) << "Esc is taken mid-step";
    EXPECT_FALSE (shownTitle ("\n\nTalvor Firmware Upgrader\n\nV1.68"));
}

TEST_F (Wizard, TheAboutBoxNamesTheUpgraderAndItsBuild)
{
    FirmwareUpgradeComponent wizard (2057, true);
    wizard.keyPressed (juce::KeyPress (juce::KeyPress::F1Key));

    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().title, "\n\nTalvor Firmware Upgrader\n\nV1.68");
    EXPECT_EQ (scripted.last().message, "Build 63A, Dec 22 2023");
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::NoIcon);
}

TEST_F (Wizard, ANewWizardForgetsTheFirmwareOfAnEarlierOne)
{
    firmwarePath = "/somewhere/orvel_b_9.99.bin";
    FirmwareUpgradeComponent wizard (2057, true);
    EXPECT_TRUE (firmwarePath.isEmpty());
}

TEST_F (Wizard, TheProgressAndStatusOfTheBackEndsShowInTheWizard)
{
    FirmwareUpgradeComponent wizard (2057, true);
    setWizardStatusText ("Writing");
    setWizardProgress (3, 1, 2);

    EXPECT_EQ (wizard.getStatusLabel().getText(), "Writing");
    EXPECT_DOUBLE_EQ (wizardProgress, 0.7);
}
} // namespace

namespace
{
using namespace talvor;

TEST_F (Wizard, TheProgressPercentageReadsOnTheTrackAndOnTheFill)
{
    FirmwareUpgradeComponent wizard (2057, true);
    corvix::testing::GuiHarness window (wizard);

    for (const auto value : { 0.0, 1.0 })
    {
        wizardProgress = value;
        corvix::testing::GuiHarness::pump (200);
        const auto picture = corvix::testing::GuiHarness::snapshot (wizard.getProgressBar());
        const auto underTheText = picture.getPixelAt (20, picture.getHeight() / 2);
        auto best = 1.0;

        // The strongest pixel of the text, against what lies under it.
        for (int y = picture.getHeight() / 4; y < picture.getHeight() * 3 / 4; ++y)
            for (int x = picture.getWidth() / 3; x < picture.getWidth() * 2 / 3; ++x)
                best = juce::jmax (best, WizardProgressBarLook::contrastRatio (picture.getPixelAt (x, y), underTheText));

        EXPECT_GE (best, 4.5) << "at " << value;
    }
}
} // namespace
