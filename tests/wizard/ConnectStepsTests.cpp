#include "firmware/UpgradeFrames.h"
#include "tests/wizard/WizardFixture.h"

namespace
{
using namespace talvor;
using namespace talvor::test;

using ConnectSteps = WizardFixture;

bool isPrelude (const juce::MidiMessage& m)
{
    return m.getRawDataSize() == 3 && m.getRawData()[0] == 0xEF && m.getRawData()[1] == 0x7F && m.getRawData()[2] == 0x7F;
}

bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() && std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}

TEST_F (ConnectSteps, AutomaticModeFindsTheUnitAsksItIntoUpgradeModeAndGoesOnToTheFirmware)
{
    addUnit ("Orvel-A V1.05 1");
    addUnit ("Orvel-A V1.05 2");
    FirmwareUpgradeComponent wizard (2057, false);

    wizard.runStep (0);

    EXPECT_EQ (wizard.getDeviceName(), "Orvel-A V1.05 2") << "the port with the highest unit number, without the chooser";
    EXPECT_EQ (wizard.getSelectedProductId(), 2057);
    EXPECT_TRUE (unitFound);
    EXPECT_EQ (toolRuns ("get-property"), 3) << "one probe in each of the three passes";

    // Three passes of the prelude and the request, all to the chosen unit.
    int requests = 0;
    for (size_t i = 0; i + 1 < sentToUnits.size(); ++i)
        if (isPrelude (sentToUnits[i].message) && sameBytes (sentToUnits[i + 1].message, buildSysExRequest (2057, 9)))
            ++requests;
    EXPECT_EQ (requests, 3);
    for (auto& sent : sentToUnits)
        EXPECT_EQ (sent.port, "Orvel-A V1.05 2");

    // Step 4 asked for a file, which the user did not give.
    ASSERT_FALSE (scripted.shown().empty());
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::openChooser);
    EXPECT_EQ (scripted.last().title, "Choose The Firmware File");
    EXPECT_EQ (scripted.last().filePatterns, "*.bin");
    EXPECT_EQ (wizard.getCurrentStep(), 2);
    EXPECT_EQ (wizard.getWindowTitle(), "Firmware Upgrade [M]") << "step 2 ends with the plain title";
}

TEST_F (ConnectSteps, OutsideAutomaticModeTheUserConfirmsTheUnitAndTheStepStopsThere)
{
    addUnit();
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    pressInChooser ("OK");

    wizard.runStep (0);

    EXPECT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().title, "Choose Your Talvor Device");
    EXPECT_EQ (wizard.getDeviceName(), "Orvel-A V1.05 1");
    EXPECT_EQ (wizard.getCurrentStep(), 0);
    EXPECT_TRUE (wizard.getStepButton (1).isEnabled());
    EXPECT_TRUE (sentToUnits.empty());
}

TEST_F (ConnectSteps, ACancelledChooserEndsTheStepWithAnEmptyBox)
{
    addUnit ("TALVOR X Midi 1");
    FirmwareUpgradeComponent wizard (101, true);
    automaticMode = false;
    pressInChooser ("Cancel");

    wizard.runStep (0);

    EXPECT_EQ (wizard.getCurrentStep(), -1);
    ASSERT_EQ (scripted.shown().size(), 2u);
    EXPECT_EQ (scripted.last().message, "");
}

TEST_F (ConnectSteps, AMissingBootloaderToolIsReportedAfterTheChooser)
{
    addUnit();
    bootloaderToolPathSetting = "/nowhere/tool";
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    pressInChooser ("Cancel");

    wizard.runStep (0);

    EXPECT_EQ (boxesWithMessage ("Lacked of upgrade tool!\n/nowhere/tool"), 1);
    EXPECT_EQ (wizard.getCurrentStep(), -1);
}

TEST_F (ConnectSteps, AnAmdProcessorIsRefusedBeforeAnyRequestToAUnitFlashedOverMidi)
{
    cpuModel = "AMD Ryzen 7 5800X";
    addUnit ("TALVOR X Midi 1");
    FirmwareUpgradeComponent wizard (101, true);
    testMode = true;
    pressInChooser ("OK");

    wizard.runStep (0);

    EXPECT_EQ (boxesWithMessage ("Cannot upgrade firmware!\n \nSince Corvix is not compatible with your computer with AMD chip."), 1);
    EXPECT_EQ (wizard.getCurrentStep(), -1);
    EXPECT_FALSE (wizard.getStepButton (1).isEnabled());
    EXPECT_TRUE (sentToUnits.empty());
}

TEST_F (ConnectSteps, AUnitLeftInUpgradeModeIsAskedToLeaveItAndAWarningFollowsWhenItStays)
{
    addUnit();
    corvix::testing::SimulatedUpgradeDevice leftOver (ports);
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    pressInChooser ("OK");
    scripted.answerOkCancel (true);

    wizard.runStep (0);

    ASSERT_GE (scripted.shown().size(), 3u);
    const auto& question = scripted.shown()[1];
    EXPECT_EQ (question.kind, ShownDialog::Kind::okCancel);
    EXPECT_EQ (question.buttons, (juce::StringArray{ "Yes", "No" }));
    EXPECT_EQ (leftOver.receivedFrames().size(), 1u) << "the reset frame";
    EXPECT_EQ (scripted.last().message,
               "It looks like your device is still in firmware upgrade mode. \nPlease turn off and turn on the device and try again.");
    EXPECT_EQ (wizard.getCurrentStep(), -1);
}

TEST_F (ConnectSteps, AnOccupiedUnitCannotBeAskedIntoUpgradeMode)
{
    addUnit();
    ports.setExclusiveOpens (true);
    auto heldElsewhere = ports.openOutput ("Orvel-A V1.05 1");
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    pressInChooser ("OK");
    wizard.runStep (0);

    wizard.runStep (1);

    EXPECT_EQ (boxesWithMessage ("Target device is occupied!"), 1);
    EXPECT_EQ (wizard.getCurrentStep(), 0);
    EXPECT_EQ (toolRuns ("get-property"), 0);
}

TEST_F (ConnectSteps, AMidiUnitIsAskedIntoUpgradeModeWithBothFormsOfTheRequest)
{
    std::unique_ptr<corvix::testing::SimulatedUpgradeDevice> inUpgradeMode;
    std::vector<juce::MidiMessage> received;
    ports.addOutput ("TALVOR X Midi 1",
                     [&] (const juce::MidiMessage& m)
                     {
                         received.push_back (m);
                         if (m.isSysEx() && inUpgradeMode == nullptr)
                             juce::MessageManager::callAsync (
                                 [&] { inUpgradeMode = std::make_unique<corvix::testing::SimulatedUpgradeDevice> (ports); });
                     });
    ports.addInput ("TALVOR X Midi 1");
    FirmwareUpgradeComponent wizard (101, true);
    testMode = true;
    pressInChooser ("OK");
    wizard.runStep (0);
    ASSERT_EQ (wizard.getCurrentStep(), 0);

    wizard.runStep (1);

    ASSERT_EQ (received.size(), 4u);
    EXPECT_TRUE (isPrelude (received[0]));
    EXPECT_TRUE (sameBytes (received[1], buildSysExRequest (101, 9)));
    EXPECT_TRUE (isPrelude (received[2]));
    EXPECT_TRUE (sameBytes (received[3], buildSysExRequest (101, 8)));
    EXPECT_EQ (wizard.getCurrentStep(), 1);
    ports.removeAll();
}

TEST_F (ConnectSteps, AMidiUnitThatDoesNotEnterUpgradeModeGetsABoxButNotInRepeatMode)
{
    ports.addOutput ("Orvel-A V1.05 1", nullptr);
    FirmwareUpgradeComponent wizard (101, true);
    automaticMode = false;
    wizard.selectTargetProduct (101);
    repeatMode = true;

    wizard.runStep (1);

    EXPECT_EQ (wizard.getCurrentStep(), 0);
    EXPECT_EQ (boxesWithMessage ("Device cannot enter Firmware Upgrade mode!"), 0);

    repeatMode = false;
    wizard.runStep (1);
    EXPECT_EQ (boxesWithMessage ("Device cannot enter Firmware Upgrade mode!"), 1);
}

TEST_F (ConnectSteps, ActivateOpensTheUpgradeModePortForTheMidiBackEnd)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    FirmwareUpgradeComponent wizard (101, true);
    automaticMode = false;
    wizard.selectTargetProduct (101);
    wizard.runStep (1);
    ASSERT_EQ (wizard.getCurrentStep(), 1) << "already in upgrade mode";
    pressInChooser ("OK");

    wizard.runStep (2);

    EXPECT_EQ (wizard.getUpgradePortName(), "Talvor firmware upgrade 1");
    EXPECT_TRUE (wizard.isMidiHandlerOpen());
    EXPECT_EQ (wizard.getCurrentStep(), 2);
    EXPECT_FALSE (wizard.getStepButton (0).isEnabled());
}

TEST_F (ConnectSteps, APortThatDoesNotOpenInActivateEndsTheChainThere)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    ports.setExclusiveOpens (true);
    auto heldElsewhere = ports.openOutput (device.getPortName());
    FirmwareUpgradeComponent wizard (101, true);
    automaticMode = false;
    wizard.selectTargetProduct (101);
    wizard.runStep (1);
    automaticMode = true;
    letChooserConfirmItself();

    wizard.runStep (2);

    EXPECT_EQ (boxesWithMessage ("Could not open the selected MIDI input device: Talvor firmware upgrade 1"), 1);
    EXPECT_EQ (wizard.getCurrentStep(), 1);
    EXPECT_EQ (scripted.titles().indexOf ("Firmware Version"), -1) << "step 4 does not follow";
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
}
} // namespace

namespace
{
using namespace talvor;
using namespace talvor::test;

TEST_F (ConnectSteps, TwoPortsOfTheChosenNameAreRefusedEvenWhenTheUnitWasSeenWhileWaiting)
{
    addUnit();
    ports.addOutput ("Orvel-A V1.05 1", nullptr);
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    pressInChooser ("OK");

    wizard.runStep (0);

    EXPECT_EQ (boxesWithMessage ("Connect ONLY the device you want to update."), 1);
    EXPECT_EQ (wizard.getCurrentStep(), -1);
}
} // namespace

namespace
{
using namespace talvor;
using namespace talvor::test;

TEST_F (ConnectSteps, EscEndsTheWaitForTheUnitsPortAndTheProbesStillFollow)
{
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    // Posted, not timed: the first pass of the loop inside the wait delivers it, however busy the machine.
    juce::MessageManager::callAsync ([&wizard] { wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); });

    wizard.runStep (0);

    // Four waits of one second would be 40 slices; the probes after them wait 2 x 235 ms.
    EXPECT_LT (slicesOf100Ms, 20) << "the waits were cut short";
    EXPECT_FALSE (abortRequested) << "the wait took the request";
    EXPECT_EQ (toolRuns ("get-property"), 1);
    EXPECT_EQ (toolRuns ("reset"), 1);
    EXPECT_FALSE (unitFound);
}

TEST_F (ConnectSteps, InTestModeTheBootloaderIsProbedTwelveTimesBeforeTheUnitCountsAsMissing)
{
    tool.script ("get-property", "silent");
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    testMode = true;

    wizard.runStep (0);

    EXPECT_EQ (toolRuns ("get-property"), 12 + 1) << "twelve probes, then the one before the reset";
    EXPECT_EQ (toolRuns ("reset"), 0) << "a tool that printed nothing found no unit";
    EXPECT_EQ (boxesWithMessage ("The target device of \"Orvel-A\" is not found!"), 1);
    EXPECT_EQ (wizard.getCurrentStep(), -1);
}
} // namespace
