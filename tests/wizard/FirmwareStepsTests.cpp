#include "platform/WholeFile.h"
#include "tests/wizard/WizardFixture.h"

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

constexpr const char* upToDate = "Your device is up-to-date.";
constexpr const char* upgraded = "Your firmware has been upgraded!";

class FirmwareSteps : public WizardFixture
{
protected:
    /** A bootloader unit at 1.05 on its port, the wizard after step 3, outside automatic mode. */
    std::unique_ptr<FirmwareUpgradeComponent> wizardAtStep3 (bool withServer, bool automatic = false)
    {
        addUnit ("Orvel-A V1.05 1");
        auto wizard = std::make_unique<FirmwareUpgradeComponent> (2057, withServer);
        automaticMode = false;
        pressInChooser ("OK");
        wizard->runStep (0);
        wizard->runStep (1);
        wizard->runStep (2);
        EXPECT_EQ (wizard->getCurrentStep(), 2);
        scripted.forget();
        automaticMode = automatic;
        return wizard;
    }

    void serveCatalogue (const juce::String& entries)
    {
        startServer().respondAlways ("/firmware.xml", Response::ok ("<firmwares>" + entries + "</firmwares>"));
    }

    void serveFirmware (const juce::String& name, const juce::MemoryBlock& bytes)
    {
        server->respondAlways ("/" + name, Response::ok (bytes));
    }

    bool flashHolds (const juce::MemoryBlock& bytes) const
    {
        const auto flash = tool.flash ((int) bytes.getSize());
        return flash.size() == (int) bytes.getSize() && std::memcmp (flash.begin(), bytes.getData(), bytes.getSize()) == 0;
    }
};

TEST_F (FirmwareSteps, ANewerFirmwareIsDownloadedAndWrittenAndTheDownloadDeletedAfterwards)
{
    auto wizard = wizardAtStep3 (true);
    serveCatalogue (R"(<fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/>)");
    const auto bytes = firmwareBytes();
    serveFirmware ("orvel_a_1.06.bin", bytes);
    juce::String titleWhileChoosing;
    scripted.answerModal (
        [&] (juce::Component& content)
        {
            titleWhileChoosing = wizard->getWindowTitle();
            press (content, "OK");
        });

    wizard->runStep (3);

    EXPECT_EQ (titleWhileChoosing, "Firmware Upgrade: Orvel-A 1.06 firmware is being downloaded here...");
    EXPECT_EQ (scripted.last().message, "OK");
    EXPECT_EQ (wizard->getCurrentStep(), 3);
    const auto downloaded = cacheFolder.getFile().getChildFile ("orvel_a_1.06.bin");
    EXPECT_EQ (firmwarePath, downloaded.getFullPathName());
    EXPECT_TRUE (downloaded.existsAsFile());

    wizard->runStep (4);

    EXPECT_TRUE (flashHolds (bytes));
    EXPECT_EQ (scripted.last().title, "Firmware Upgrade Succeeded");
    EXPECT_EQ (scripted.last().message, upgraded);
    EXPECT_FALSE (downloaded.existsAsFile());
    EXPECT_EQ (wizard->getCurrentStep(), -1);
    EXPECT_TRUE (wizard->getDeviceName().isEmpty());
    EXPECT_TRUE (firmwarePath.isEmpty());
}

TEST_F (FirmwareSteps, OneEntryAsOldAsTheUnitIsOfferedButSaysUpToDate)
{
    auto wizard = wizardAtStep3 (true);
    serveCatalogue (R"(<fw pid="2057" name="Orvel-A" version="1.05" fw="orvel_a_1.05.bin"/>)");
    serveFirmware ("orvel_a_1.05.bin", firmwareBytes());
    pressInChooser ("OK");

    wizard->runStep (3);

    EXPECT_TRUE (shownTitle ("Firmware Version"));
    EXPECT_EQ (scripted.last().message, upToDate);
}

TEST_F (FirmwareSteps, AutomaticModeNeverWritesAnEntryThatIsNotNewerWithoutTheUsersChoice)
{
    for (auto version : { "1.04", "1.05" })
    {
        auto wizard = wizardAtStep3 (true, true);
        serveCatalogue (juce::String (R"(<fw pid="2057" name="Orvel-A" version=")") + version + R"(" fw="orvel_a_)" + version
                        + R"(.bin"/>)");
        serveFirmware (juce::String ("orvel_a_") + version + ".bin", firmwareBytes());
        letChooserConfirmItself();

        wizard->runStep (3);

        EXPECT_TRUE (shownTitle ("Firmware Version")) << version;
        EXPECT_EQ (toolRuns ("write-memory"), 0) << version;
        EXPECT_EQ (server->requestCount (juce::String ("/orvel_a_") + version + ".bin"), 0) << version;
        ports.removeAll();
    }
}

TEST_F (FirmwareSteps, SeveralEntriesNoneNewerMeanNoDownloadAndNoWriteAlsoInAutomaticMode)
{
    for (auto automatic : { false, true })
    {
        auto wizard = wizardAtStep3 (true, automatic);
        serveCatalogue (R"(<fw pid="2057" name="A" version="1.05" fw="orvel_a_1.05.bin"/>)"
                        R"(<fw pid="2057" name="B" version="1.04" fw="orvel_a_1.04.bin"/>)");
        // A firmware left by an earlier run, of another product.
        firmwarePath = firmwareFileOnDisk ("orvel_b_2.01.bin").getFullPathName();

        wizard->runStep (3);

        EXPECT_FALSE (shownTitle ("Firmware Version"));
        EXPECT_EQ (scripted.last().message, upToDate) << automatic;
        EXPECT_EQ (toolRuns ("write-memory"), 0) << automatic;
        EXPECT_EQ (wizard->getCurrentStep(), 2);
        ports.removeAll();
    }
}

TEST_F (FirmwareSteps, AnUnavailableServerLeadsStraightToTheFileChooser)
{
    auto wizard = wizardAtStep3 (true);
    startServer().respondAlways ("/firmware.xml", Response::withStatus (503, "down"));
    scripted.answerFile (firmwareFileOnDisk());

    wizard->runStep (3);

    ASSERT_EQ (scripted.shown().size(), 2u);
    EXPECT_EQ (scripted.shown()[0].kind, ShownDialog::Kind::openChooser);
    EXPECT_EQ (wizard->getCurrentStep(), 3);
    // A server that is down is no failure of its catalogue: the chosen file ends the step with
    // "OK", where a catalogue without entries would name its fetch's failure.
    EXPECT_EQ (scripted.last().message, "OK");
}

TEST_F (FirmwareSteps, AFileThatIsNotAnImageForTheUnitIsRefused)
{
    // A saved page or an error text under a firmware's name, another product's image, and names
    // the chooser's "*.bin" would not offer but a typed name reaches.
    auto savedPage = [this] (const juce::String& lead)
    {
        auto file = firmwareFileOnDisk ("orvel_a_1.06.bin");
        file.replaceWithText (lead + "<html><body>" + juce::String::repeatedString ("Page not found. ", 60) + "</body></html>");
        return file;
    };
    const std::vector<std::pair<const char*, juce::File>> files{
        { "another product's image", firmwareFileOnDisk ("orvel_b_2.01.bin") },
        { "an image with another extension", firmwareFileOnDisk ("my orvel_a_ copy.hex") },
        { "an image without extension", firmwareFileOnDisk ("orvel_a_") },
        { "a saved page", savedPage ({}) },
        { "a saved page after blanks", savedPage ("\r\n  ") },
    };

    for (const auto& [what, file] : files)
    {
        auto wizard = wizardAtStep3 (false);
        scripted.answerFile (file);

        wizard->runStep (3);

        EXPECT_EQ (scripted.last().message, "Not the matching firmware!") << what;
        EXPECT_EQ (wizard->getCurrentStep(), 2) << what;
        EXPECT_TRUE (firmwarePath.isEmpty()) << what;
        ports.removeAll();
    }
}

TEST_F (FirmwareSteps, AFileFromDiskIsWrittenAndKept)
{
    for (auto name : { "orvel_a_1.06.bin", "ORVEL_A_1.06.BIN" })
    {
        auto wizard = wizardAtStep3 (false);
        const auto file = firmwareFileOnDisk (name);
        scripted.answerFile (file);
        wizard->runStep (3);
        ASSERT_EQ (wizard->getCurrentStep(), 3) << name;

        wizard->runStep (4);

        EXPECT_TRUE (flashHolds (juce::MemoryBlock (talvor::readWholeFile (file.getFullPathName()).begin(), (size_t) file.getSize())))
            << name;
        EXPECT_EQ (scripted.last().message, upgraded) << name;
        EXPECT_TRUE (file.existsAsFile()) << name;
        ports.removeAll();
        tool.setFlash ({});
    }
}

TEST_F (FirmwareSteps, AnM2ProcessorWritesNothing)
{
    auto wizard = wizardAtStep3 (false);
    scripted.answerFile (firmwareFileOnDisk());
    wizard->runStep (3);
    cpuModel = "Apple M2";

    wizard->runStep (4);

    EXPECT_EQ (scripted.last().title, "Firmware Upgrade Failed");
    EXPECT_EQ (scripted.last().message, "Warning: The current device cannot upgrade firmware correctly,\n on the M2 series macOS. "
                                        "\n\nPlease close the current upgrade window!");
    EXPECT_EQ (toolRuns ("write-memory"), 0);
    EXPECT_EQ (wizard->getCurrentStep(), -1);
}

TEST_F (FirmwareSteps, AFirmwareObtainedForAnotherProductIsNotWritten)
{
    auto wizard = wizardAtStep3 (false);
    scripted.answerFile (firmwareFileOnDisk());
    wizard->runStep (3);
    // The user went back to step 1 and chose another product's unit.
    wizard->selectTargetProduct (2058);

    wizard->runStep (4);

    EXPECT_EQ (scripted.last().message, "Not the matching firmware!");
    EXPECT_EQ (toolRuns ("write-memory"), 0);
}

TEST_F (FirmwareSteps, AWriteThatFailsIsReported)
{
    auto wizard = wizardAtStep3 (false);
    scripted.answerFile (firmwareFileOnDisk());
    wizard->runStep (3);
    tool.script ("write-memory", "fail");

    wizard->runStep (4);

    // The refused write leaves the flash erased, which the read-back then shows.
    EXPECT_EQ (scripted.last().title, "Firmware Upgrade Failed");
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (scripted.last().message, "Wrote wrong data!");
    ASSERT_FALSE (tool.calls().empty());
    EXPECT_EQ (tool.calls().back().joinIntoString (" "), "-u -t 5000 -- flash-erase-region 0x60010000 4096")
        << "the boot block is erased after the failed check";
    EXPECT_EQ (toolRuns ("reset"), 0);
    EXPECT_EQ (wizard->getCurrentStep(), -1);
}

TEST_F (FirmwareSteps, AMidiUnitIsWrittenFromAFileOnDisk)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    FirmwareUpgradeComponent wizard (101, false);
    automaticMode = false;
    wizard.selectTargetProduct (101);
    wizard.runStep (1);
    pressInChooser ("OK");
    wizard.runStep (2);
    ASSERT_TRUE (wizard.isMidiHandlerOpen());
    const auto file = firmwareFileOnDisk ("any_101.bin", 1500);
    scripted.answerFile (file);
    wizard.runStep (3);
    ASSERT_EQ (wizard.getCurrentStep(), 3);

    wizard.runStep (4);

    const auto image = device.writtenImage();
    const auto bytes = talvor::readWholeFile (file.getFullPathName());
    ASSERT_GE (image.size(), (size_t) bytes.size());
    EXPECT_EQ (std::memcmp (image.data(), bytes.begin(), (size_t) bytes.size()), 0);
    EXPECT_EQ (scripted.last().message, upgraded);
    EXPECT_EQ (ports.getOpenPortCount(), 0) << "the back-end closed its ports";
}

TEST_F (FirmwareSteps, AFailedMidiDownloadFallsBackToAFileAndWritesNothingWhenNoneIsGiven)
{
    corvix::testing::SimulatedUpgradeDevice device (ports);
    FirmwareUpgradeComponent wizard (101, true);
    automaticMode = false;
    wizard.selectTargetProduct (101);
    wizard.runStep (1);
    pressInChooser ("OK");
    wizard.runStep (2);
    ASSERT_EQ (wizard.getCurrentStep(), 2);
    serveCatalogue (R"(<fw pid="101" name="X" version="1.0" fw="x_1.0.bin"/>)");
    server->respondAlways ("/x_1.0.bin", Response::withStatus (404));
    automaticMode = true;
    letChooserConfirmItself();
    const auto framesBefore = device.receivedFrames().size();

    wizard.runStep (3);

    EXPECT_EQ (boxesWithMessage ("Could not download firmware file"), 1);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::openChooser);
    EXPECT_EQ (device.receivedFrames().size(), framesBefore) << "step 5 did not run";
    EXPECT_FALSE (shownTitle ("Firmware Upgrade Failed"));
}

//==============================================================================
class RepeatMode : public FirmwareSteps
{
protected:
    void SetUp() override
    {
        FirmwareSteps::SetUp();
        addUnit ("Orvel-A V1.05 1");
    }

    int fileChoosersShown() const
    {
        int n = 0;
        for (auto& shown : scripted.shown())
            n += shown.kind == ShownDialog::Kind::openChooser ? 1 : 0;
        return n;
    }
};

TEST_F (RepeatMode, TheNextUnitRunsAfterASuccessUntilNoFirmwareIsGiven)
{
    FirmwareUpgradeComponent wizard (2057, false);
    repeatMode = true;
    scripted.answerFile (firmwareFileOnDisk());

    wizard.runStep (0);

    EXPECT_EQ (fileChoosersShown(), 2) << "the second unit's run asked for its file";
    EXPECT_EQ (toolRuns ("write-memory"), 1);
    EXPECT_EQ (repeatCount, 1);
    EXPECT_EQ (boxesWithMessage (upgraded), 0) << "repeat mode reports no success box";
}

TEST_F (RepeatMode, TheTwentiethUpgradeStopsTheRepetition)
{
    FirmwareUpgradeComponent wizard (2057, false);
    repeatMode = true;
    repeatCount = 19;
    scripted.answerFile (firmwareFileOnDisk());
    scripted.answerFile (firmwareFileOnDisk());

    wizard.runStep (0);

    EXPECT_EQ (fileChoosersShown(), 1);
    EXPECT_EQ (repeatCount, 0);
}

TEST_F (RepeatMode, AFailureStopsTheRepetition)
{
    FirmwareUpgradeComponent wizard (2057, false);
    repeatMode = true;
    tool.script ("write-memory", "fail");
    scripted.answerFile (firmwareFileOnDisk());
    scripted.answerFile (firmwareFileOnDisk());

    wizard.runStep (0);

    EXPECT_EQ (fileChoosersShown(), 1);
    EXPECT_TRUE (shownTitle ("Firmware Upgrade Failed"));
    EXPECT_FALSE (wizard.isStepRunning());
}
} // namespace
