#include "platform/WholeFile.h"
#include "tests/wizard/WholeUpgradeFixture.h"

// The less travelled paths of an upgrade that still decide what a unit is sent: through the
// launcher and the real wizard window, as a user takes them.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

class UpgradePath : public WholeUpgrade
{
protected:
    static void type (FirmwareUpgradeComponent& wizard, char key) { wizard.keyPressed (juce::KeyPress (key)); }

    /** A unit flashed over MIDI on the maker's port, and the same unit in upgrade mode. */
    std::unique_ptr<corvix::testing::SimulatedUpgradeDevice> addMidiUnit()
    {
        ports.addOutput ("TALVOR X Midi 1", nullptr);
        ports.addInput ("TALVOR X Midi 1");
        return std::make_unique<corvix::testing::SimulatedUpgradeDevice> (ports);
    }
};

TEST_F (UpgradePath, NoToTheLeaveQuestionSendsTheUnitsNothing)
{
    addUnit ("Orvel-A V1.05 1");
    corvix::testing::SimulatedUpgradeDevice leftInUpgradeMode (ports);
    size_t framesBeforeClosing = 99;
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            type (wizard, 'a');
            click (wizard, 0);
            stepAfterwards = wizard.getCurrentStep();
            framesBeforeClosing = leftInUpgradeMode.receivedMessages().size();
        });
    pressInChooser ("OK");
    scripted.answerOkCancel (false);

    launchFirmwareUpgrader (2057, nullptr, false, true);

    ASSERT_EQ (shownOfKind (ShownDialog::Kind::okCancel), 1);
    EXPECT_EQ (boxesWithMessage ("It looks like some of your units are already in firmware upgrade mode. \n Do you want to let them leave "
                                 "firmware upgrade mode?"),
               1);
    EXPECT_EQ (framesBeforeClosing, 0u) << "no reset for the unit left in upgrade mode";
    EXPECT_TRUE (sentToUnits.empty()) << "the chosen unit was not asked into upgrade mode";
    EXPECT_EQ (stepAfterwards, -1);
    EXPECT_EQ (scripted.shown().size(), 3u) << "the window, the chooser and the question, nothing after the answer";
}

TEST_F (UpgradePath, AUnitGoneBeforeStep2IsNoTarget)
{
    addUnit ("Orvel-A V1.05 1");
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            type (wizard, 'a');
            click (wizard, 0);
            ports.removeAll();
            click (wizard, 1);
            stepAfterwards = wizard.getCurrentStep();
        });
    pressInChooser ("OK");

    launchFirmwareUpgrader (2057, nullptr, false, true);

    EXPECT_EQ (scripted.last().message, "No target!");
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (stepAfterwards, 0) << "step 2 can be tried again";
    EXPECT_TRUE (sentToUnits.empty());
    EXPECT_TRUE (tool.calls().empty());
}

TEST_F (UpgradePath, AMidiUnitIsWrittenWithAFirmwareFromTheServer)
{
    const auto device = addMidiUnit();
    startServer().respondAlways ("/firmware.xml",
                                 Response::ok (R"(<firmwares><fw pid="101" name="X" version="2.0" fw="fw/x_2.0.bin"/></firmwares>)"));
    const auto bytes = firmwareBytes (1300);
    server->respondAlways ("/fw/x_2.0.bin", Response::ok (bytes));
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            type (wizard, 't');

            for (int step = 0; step < FirmwareUpgradeComponent::stepCount; ++step)
                click (wizard, step);
        });
    pressInChooser ("OK"); // step 1: the maker's port
    pressInChooser ("OK"); // step 3: the unit in upgrade mode
    pressInChooser ("OK"); // step 4: the firmware

    launchFirmwareUpgrader (101, nullptr, false, true);

    const auto image = device->writtenImage();
    ASSERT_GE (image.size(), bytes.getSize());
    EXPECT_EQ (std::memcmp (image.data(), bytes.getData(), bytes.getSize()), 0);
    EXPECT_EQ (device->blockCounters(), (std::vector<int>{ 0, 1, 2 }));
    EXPECT_EQ (device->checksumErrors(), 0);
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 1);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0);
}

TEST_F (UpgradePath, EscOrACloseDuringStep4sReadOrDownloadEndsTheStepWithNothingMoreShown)
{
    for (const auto* pressed : { "Esc", "close" })
    {
        for (const auto* during : { "the catalogue read", "the download" })
        {
            const auto what = juce::String (pressed) + " during " + during;
            const auto duringTheRead = juce::String (during).contains ("catalogue");
            addUnit ("Orvel-A V1.05 1");
            // The server answers the probe at once and keeps the read or the download waiting.
            auto slow = [] (Response answer)
            {
                answer.delayMs = 3000;
                return answer;
            };
            const juce::String catalogue (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)");
            startServer().respond ("/firmware.xml", Response::ok (catalogue));
            server->respond ("/firmware.xml", duringTheRead ? slow (Response::ok (catalogue)) : Response::ok (catalogue));
            server->respondAlways ("/orvel_a_1.06.bin", duringTheRead ? Response::ok (firmwareBytes()) : slow (Response::ok (firmwareBytes())));
            scripted.answerFile (firmwareFileOnDisk());
            int stepAfterwards = -2;
            onWizard (
                [&] (FirmwareUpgradeComponent& wizard)
                {
                    const PollUntil user (
                        [&]
                        {
                            const auto waiting = duringTheRead ? server->requestCount ("/firmware.xml") >= 2
                                                               : server->requestCount ("/orvel_a_1.06.bin") > 0;
                            if (! waiting)
                                return false;

                            juce::String (pressed) == "Esc" ? pressEscape (wizard) : pressClose (wizard);
                            return true;
                        });
                    click (wizard, 0);
                    stepAfterwards = wizard.getCurrentStep();
                });
            // The firmware chooser of the download confirms itself; the read stops before any.
            if (! duringTheRead)
                letChooserConfirmItself();

            launchFirmwareUpgrader (2057, nullptr, false, true);

            EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0) << what << ": who asked to stop is asked for no file";
            EXPECT_EQ (shownOfKind (ShownDialog::Kind::messageBox), 0) << what << ": " << scripted.messages().joinIntoString ("|");
            EXPECT_EQ (stepAfterwards, 2) << what;
            EXPECT_EQ (toolRuns ("write-memory"), 0) << what;
            EXPECT_TRUE (flashErased (2048)) << what;
            EXPECT_EQ (server->requestCount ("/orvel_a_1.06.bin"), duringTheRead ? 0 : 1) << what << ": no second try";
            EXPECT_EQ (cacheFolder.getFile().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0)
                << what << ": nothing written into the cache";

            scripted.forget();
            ports.removeAll();
            sentToUnits.clear();
        }
    }
}

TEST_F (UpgradePath, AResetTheToolCannotConfirmIsASuccessThatAsksForAPowerCycle)
{
    addUnit ("Orvel-A V1.05 1");
    const auto file = firmwareFileOnDisk();
    scripted.answerFile (file);
    tool.script ("reset", "fail");
    onWizard ([&] (FirmwareUpgradeComponent& wizard) { click (wizard, 0); });

    launchFirmwareUpgrader (2057, nullptr, false, false);

    const auto written = talvor::readWholeFile (file.getFullPathName());
    EXPECT_EQ (tool.flash (written.size()), written);
    EXPECT_EQ (scripted.last().title, "Firmware Upgrade Succeeded");
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (scripted.last().message, "Your firmware has been upgraded! Power off your unit and wait for 5 seconds, then turn back on "
                                        "for changes to take effect");
    EXPECT_FALSE (shownTitle ("Firmware Upgrade Failed"));
}

TEST_F (UpgradePath, ACancelledChooserInStep3LeavesTheUnitUnopenedAndTheFirmwareStepLocked)
{
    const auto device = addMidiUnit();
    int stepAfterwards = -2;
    std::vector<bool> enabled;
    bool handlerOpen = true;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            type (wizard, 't');
            click (wizard, 0);
            click (wizard, 1);
            click (wizard, 2);
            stepAfterwards = wizard.getCurrentStep();
            handlerOpen = wizard.isMidiHandlerOpen();

            for (int step = 0; step < FirmwareUpgradeComponent::stepCount; ++step)
                enabled.push_back (wizard.getStepButton (step).isEnabled());
        });
    pressInChooser ("OK"); // step 1
    pressInChooser ("Cancel"); // step 3

    launchFirmwareUpgrader (101, nullptr, false, false);

    EXPECT_EQ (stepAfterwards, 1);
    EXPECT_FALSE (handlerOpen);
    EXPECT_EQ (enabled, (std::vector<bool>{ true, true, true, false, false }));
    EXPECT_EQ (scripted.shown().size(), 3u) << "the window and the two choosers, no box";
    EXPECT_TRUE (device->blockCounters().empty());
}
} // namespace
