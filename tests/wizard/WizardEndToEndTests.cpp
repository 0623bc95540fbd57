#include "firmware/FirmwareSizes.h"
#include "platform/WholeFile.h"
#include "tests/wizard/WholeUpgradeFixture.h"

#include <array>
#include <atomic>

// Whole upgrades through the launcher and the real wizard, as a user runs them.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

/** Units flashed over MIDI brought to the computer one after the other, as on a production line.
    Each shows up on its ordinary port, moves to the upgrade-mode port when asked into upgrade
    mode, and restarts (its upgrade-mode port goes) once its reset after the firmware has been
    answered; the next unit is then plugged in. Keeps what each unit was written. Runs from the
    message loop, which the wizard's waits keep going. */
class MidiUnitsOneAfterTheOther final : private juce::Timer
{
public:
    static constexpr const char* ordinaryPort = "TALVOR X Midi 1";

    MidiUnitsOneAfterTheOther (VirtualMidiPortBackend& p, int units) : ports (p), unplugged (units)
    {
        plugInNext();
        startTimer (5);
    }

    ~MidiUnitsOneAfterTheOther() override { stopTimer(); }

    /** What each unit was written, in order, and the frames whose sums were wrong. */
    std::vector<std::vector<juce::uint8>> written;
    int checksumErrors = 0;

    bool allWritten() const noexcept { return unplugged == 0 && ! plugged && inUpgradeMode == nullptr; }

private:
    void plugInNext()
    {
        --unplugged;
        plugged = true;
        askedIntoUpgradeMode = false;
        ports.addOutput (ordinaryPort, [this] (const juce::MidiMessage& m) { askedIntoUpgradeMode = askedIntoUpgradeMode || m.isSysEx(); });
        ports.addInput (ordinaryPort);
    }

    bool resetAnswered() const
    {
        for (const auto& frame : inUpgradeMode->receivedFrames())
            if (frame.size() == 17 && frame[14] == 0x02)
                return inUpgradeMode->repliesDelivered();

        return false;
    }

    void timerCallback() override
    {
        if (plugged && askedIntoUpgradeMode)
        {
            ports.removeOutput (ordinaryPort);
            ports.removeInput (ordinaryPort);
            plugged = false;
            inUpgradeMode = std::make_unique<corvix::testing::SimulatedUpgradeDevice> (ports);
        }
        else if (inUpgradeMode != nullptr && resetAnswered())
        {
            written.push_back (inUpgradeMode->writtenImage());
            checksumErrors += inUpgradeMode->checksumErrors();
            inUpgradeMode.reset();

            if (unplugged > 0)
                plugInNext();
        }
    }

    VirtualMidiPortBackend& ports;
    int unplugged;
    bool plugged = false;
    std::atomic<bool> askedIntoUpgradeMode{ false };
    std::unique_ptr<corvix::testing::SimulatedUpgradeDevice> inUpgradeMode;
};

/** The firmware bytes that a unit's image begins with are the file's. */
bool imageHolds (const std::vector<juce::uint8>& image, const juce::File& file)
{
    const auto bytes = talvor::readWholeFile (file.getFullPathName());
    return image.size() >= (size_t) bytes.size() && std::memcmp (image.data(), bytes.begin(), (size_t) bytes.size()) == 0;
}

/** An image as a unit's build makes it: the vector table (the stack's top, then the handlers'
    addresses in flash), optionally a printable version header, then code. */
juce::MemoryBlock realLookingImage (juce::int64 size, const juce::String& header = {})
{
    juce::MemoryOutputStream image;
    image.writeInt (0x20020000);

    for (juce::uint32 handler = 0; handler < 15; ++handler)
        image.writeInt ((int) (0x60012001u + handler * 0x40u));

    image << header;

    for (juce::uint32 i = 0; (juce::int64) image.getDataSize() < size; ++i)
        image.writeByte ((char) (i % 4 == 3 ? 0x47 : (i * 37 + 11) & 0xff));

    return image.getMemoryBlock();
}

TEST_F (WholeUpgrade, OneClickUpgradesAUnitOfThisSystemFromTheServerWithImagesOfEverySizeItTakes)
{
    const std::vector<std::pair<const char*, juce::MemoryBlock>> images{
        { "the smallest", realLookingImage (smallestFirmwareSize) },
        { "one with a version header", realLookingImage (100003, "ORVEL-A 1.06 " + juce::String::repeatedString ("-", 300)) },
        { "the largest", realLookingImage (largestBootloaderFirmwareSize) },
    };

    for (const auto& [what, bytes] : images)
    {
        addUnit ("Orvel-A V1.05 1");
        startServer().respondAlways (
            "/firmware.xml", Response::ok (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)"));
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

        EXPECT_EQ (launchFirmwareUpgrader (2057, nullptr, true, true), 0) << what;

        const auto flash = tool.flash ((int) bytes.getSize());
        ASSERT_EQ ((size_t) flash.size(), bytes.getSize()) << what;
        EXPECT_EQ (std::memcmp (flash.begin(), bytes.getData(), bytes.getSize()), 0) << what;
        EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 1) << what;
        EXPECT_EQ (stepAfterwards, -1) << what << ": back at the start";
        EXPECT_FALSE (cacheFolder.getFile().getChildFile ("orvel_a_1.06.bin").existsAsFile()) << what;
        EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0) << what;
        EXPECT_EQ (ports.getOpenPortCount(), 0) << what;

        scripted.forget();
        ports.removeAll();
        sentToUnits.clear();
    }
}

TEST_F (WholeUpgrade, AnEscPressedBetweenStepsDoesNotStopTheNextStepTheUserStarts)
{
    addUnit ("Orvel-A V1.05 1");
    startServer().respondAlways (
        "/firmware.xml", Response::ok (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)"));
    const auto bytes = firmwareBytes();
    server->respondAlways ("/orvel_a_1.06.bin", Response::ok (bytes));
    scripted.answerOkCancel (true);
    std::vector<int> steps;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            wizard.keyPressed (juce::KeyPress ('a'));

            for (int step = 0; step < FirmwareUpgradeComponent::stepCount; ++step)
            {
                // An Esc while no step runs, once the unit is ready for its firmware.
                if (step == 3)
                    pressEscape (wizard);

                click (wizard, step);
                steps.push_back (wizard.getCurrentStep());
            }
        });
    pressInChooser ("OK"); // step 1: the unit's port
    pressInChooser ("OK"); // step 4: the firmware

    EXPECT_EQ (launchFirmwareUpgrader (2057, nullptr, true, true), 0);

    EXPECT_EQ (steps, (std::vector<int>{ 0, 1, 2, 3, -1 }));
    EXPECT_EQ (server->requestCount ("/orvel_a_1.06.bin"), 1) << "the catalogue was read and its file fetched";
    const auto flash = tool.flash ((int) bytes.getSize());
    EXPECT_EQ (std::memcmp (flash.begin(), bytes.getData(), bytes.getSize()), 0);
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 1);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0);
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

TEST_F (WholeUpgrade, UnitsFlashedOverMidiAreUpgradedOneAfterTheOtherInAutomaticRepeatMode)
{
    MidiUnitsOneAfterTheOther units (ports, 2);
    const std::array<juce::File, 2> files{ firmwareFileOnDisk ("any_101.bin", 1100), firmwareFileOnDisk ("any_101.bin", 1700) };
    scripted.answerOkCancel (true);
    juce::String titleBetweenUnits;
    int countBetweenUnits = -1;
    bool closedWhileWaitingForAThirdUnit = false;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            // Automatic, repeat and test mode: only test mode takes the maker's port of a unit
            // flashed over MIDI, and there step 1 of such a unit does not go on by itself.
            for (auto key : { 'a', 's', 't' })
                wizard.keyPressed (juce::KeyPress (key));

            click (wizard, 0);
            click (wizard, 1);
            titleBetweenUnits = wizard.getWindowTitle();
            countBetweenUnits = repeatCount;

            // The user closes the window while the wizard waits for a third unit.
            const PollUntil closeWhenWaiting (
                [&]
                {
                    if (! (units.allWritten() && wizard.isStepRunning() && wizard.getCurrentStep() == -1))
                        return false;

                    closedWhileWaitingForAThirdUnit = true;
                    pressClose (wizard);
                    return true;
                });
            click (wizard, 1);
        });

    for (int chooser = 0; chooser < 4; ++chooser) // steps 1 and 3 of each unit
        letChooserConfirmItself();

    scripted.answerFile (files[0]);
    scripted.answerFile (files[1]);

    EXPECT_EQ (launchFirmwareUpgrader (101, nullptr, true, false), 0);

    ASSERT_EQ (units.written.size(), 2u);
    EXPECT_TRUE (imageHolds (units.written[0], files[0]));
    EXPECT_TRUE (imageHolds (units.written[1], files[1]));
    EXPECT_EQ (units.checksumErrors, 0);
    EXPECT_TRUE (titleBetweenUnits.startsWith ("Firmware Upgrade. [M][1/20]")) << titleBetweenUnits;
    EXPECT_EQ (countBetweenUnits, 1);
    EXPECT_EQ (repeatCount, 2);
    EXPECT_TRUE (closedWhileWaitingForAThirdUnit);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 2);
    EXPECT_EQ (boxesWithMessage ("Your firmware has been upgraded!"), 0) << "repeat mode reports no unit with a box";
    EXPECT_EQ (ports.getOpenPortCount(), 0);
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
    const auto file = firmwareFileOnDisk();
    scripted.answerFile (file);
    scripted.answerFile (firmwareFileOnDisk());
    // Esc while the tool writes the first unit.
    bool pressed = false;
    auto timing = quickToolTiming();
    timing.wait = [&] (int)
    {
        if (! pressed && toolRuns ("write-memory") == 1)
        {
            pressed = true;
            pressEscape (wizard);
        }
    };
    const ScopedBlhostTiming escDuringTheWrite (timing);

    wizard.runStep (0);

    ASSERT_TRUE (pressed);
    EXPECT_EQ (toolRuns ("write-memory"), 1) << "the running unit is finished";
    EXPECT_EQ (toolRuns ("reset"), 1);
    const auto written = talvor::readWholeFile (file.getFullPathName());
    EXPECT_EQ (tool.flash (written.size()), written);
    EXPECT_EQ (repeatCount, 1);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 1) << "no next unit was asked for";
    EXPECT_FALSE (repeatMode);
    EXPECT_FALSE (wizard.isStepRunning());
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
