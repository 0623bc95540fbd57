#include "firmware/ServerRequestThread.h"
#include "firmware/UpgradeFrames.h"
#include "tests/support/OwnMountsRun.h"
#include "tests/wizard/WholeUpgradeFixture.h"

#include <vector>

// Esc and the window's close button, pressed while an upgrade runs: what the unit is sent and
// written afterwards, through the launcher and the real wizard window.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

/** A name server on port 53 of a loopback address that holds every question it is asked,
    unanswered, until told to answer: then every name asked for does not exist. */
class HoldingNameServer final
{
public:
    explicit HoldingNameServer (const juce::String& address) : bound (socket.bindToPort (53, address)) {}

    bool isBound() const noexcept { return bound; }

    /** How many questions have come so far. */
    int questionsAsked()
    {
        takeQuestions();
        return asked;
    }

    /** Answers the questions held and those come since: each name does not exist. */
    void answerAllAsNonexistent()
    {
        takeQuestions();

        for (auto& question : held)
        {
            auto* bytes = static_cast<juce::uint8*> (question.bytes.getData());
            bytes[2] = (juce::uint8) ((bytes[2] | 0x80) & ~0x02); // an answer, not cut short
            bytes[3] = 0x83; // recursion available; the name does not exist
            socket.write (question.fromAddress, question.fromPort, bytes, (int) question.bytes.getSize());
        }

        held.clear();
    }

private:
    struct Question
    {
        juce::MemoryBlock bytes;
        juce::String fromAddress;
        int fromPort = 0;
    };

    void takeQuestions()
    {
        char buffer[1500];

        while (bound && socket.waitUntilReady (true, 0) == 1)
        {
            Question question;
            const auto got = socket.read (buffer, (int) sizeof (buffer), false, question.fromAddress, question.fromPort);

            if (got <= 0)
                return;

            // Shorter than a header is no question.
            if (got < 12)
                continue;

            question.bytes.append (buffer, (size_t) got);
            held.push_back (std::move (question));
            ++asked;
        }
    }

    juce::DatagramSocket socket;
    const bool bound;
    std::vector<Question> held;
    int asked = 0;
};

class StoppingAnUpgrade : public WholeUpgrade
{
protected:
    /** A server that would give the unit a newer firmware at once. */
    void serveNewerFirmware()
    {
        startServer().respondAlways (
            "/firmware.xml",
            Response::ok (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)"));
        server->respondAlways ("/orvel_a_1.06.bin", Response::ok (firmwareBytes()));
    }

    /** The user acts while step 1 waits for the unit's port. */
    static std::unique_ptr<PollUntil> actWhileStep1Waits (FirmwareUpgradeComponent& wizard, std::function<void()> userAction)
    {
        return std::make_unique<PollUntil> (
            [&wizard, userAction]
            {
                if (! wizard.getWindowTitle().contains ("Waiting for the target MIDI device..."))
                    return false;

                userAction();
                return true;
            });
    }

    /** The user starts the upgrade and closes the window once the unit has been asked into its
        bootloader; the unit reacts to the request first. */
    void closeOnceTheUnitIsAskedIntoUpgradeMode (std::function<void()> unitReacts = [] {})
    {
        onWizard (
            [this, unitReacts] (FirmwareUpgradeComponent& wizard)
            {
                const PollUntil user (
                    [&]
                    {
                        if (enterRequestsSent() == 0)
                            return false;

                        unitReacts();
                        pressClose (wizard);
                        return true;
                    });
                click (wizard, 0);
            });
    }

    /** The unit's port shows up once the tool has been told to reset it, as a unit that sat in
        its bootloader does. */
    std::unique_ptr<PollUntil> unitTurnsUpAfterItsReset()
    {
        return std::make_unique<PollUntil> (
            [this]
            {
                if (toolRuns ("reset") == 0)
                    return false;

                addUnit ("Orvel-A V1.05 1");
                return true;
            });
    }
};

TEST_F (StoppingAnUpgrade, ACloseWhileStep1WaitsSendsAndWritesNothingAndClosesTheWindow)
{
    serveNewerFirmware();
    scripted.answerOkCancel (true);
    bool closedByTheStep = false;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            const auto user = actWhileStep1Waits (wizard, [this, &wizard] { pressClose (wizard), addUnit ("Orvel-A V1.05 1"); });
            click (wizard, 0);
            closedByTheStep = ! wizard.findParentComponentOfClass<FirmwareUpgradeDialog>()->isCurrentlyModal (false);
        });
    letChooserConfirmItself();

    launchFirmwareUpgrader (2057, nullptr, true, true);

    EXPECT_TRUE (closedByTheStep);
    EXPECT_TRUE (sentToUnits.empty());
    EXPECT_TRUE (tool.calls().empty()) << "not even a probe";
    EXPECT_TRUE (flashErased (2048));
    EXPECT_EQ (server->requestCount(), 0);
    EXPECT_EQ (scripted.shown().size(), 2u) << "the start warning and the wizard's window, nothing more";
}

TEST_F (StoppingAnUpgrade, EscWhileStep1WaitsEndsTheRunWithTheUnitSelectedAndNothingSent)
{
    const auto file = firmwareFileOnDisk();
    scripted.answerFile (file);
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            const auto user = actWhileStep1Waits (wizard, [&wizard] { pressEscape (wizard); });
            const auto unit = unitTurnsUpAfterItsReset();
            click (wizard, 0);
            stepAfterwards = wizard.getCurrentStep();
        });
    letChooserConfirmItself();

    launchFirmwareUpgrader (2057, nullptr, false, false);

    // The probes that look for the unit still ran and found it; the chain stopped there.
    EXPECT_EQ (toolRuns ("get-property"), 1);
    EXPECT_EQ (toolRuns ("reset"), 1);
    EXPECT_EQ (stepAfterwards, 0);
    EXPECT_EQ (enterRequestsSent(), 0);
    EXPECT_EQ (toolRuns ("write-memory"), 0);
    EXPECT_TRUE (flashErased (2048));
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0);
}
} // namespace

TEST_F (StoppingAnUpgrade, AnImageThatFailsItsCheckIsErasedWhateverWasPressedDuringTheWrite)
{
    for (const auto* pressed : { "Esc", "close" })
    {
        addUnit ("Orvel-A V1.05 1");
        scripted.answerFile (firmwareFileOnDisk ("orvel_a_1.06.bin", 8192));
        tool.script ("read-memory", "differ");
        FirmwareUpgradeComponent* running = nullptr;
        bool pressedDuringTheWrite = false;
        const auto writesBefore = toolRuns ("write-memory");
        // The user presses while the tool writes; the wizard sees it in the wait after the write.
        auto timing = quickToolTiming();
        timing.wait = [&] (int)
        {
            if (running == nullptr || pressedDuringTheWrite || toolRuns ("write-memory") == writesBefore)
                return;

            pressedDuringTheWrite = true;
            juce::String (pressed) == "Esc" ? pressEscape (*running) : pressClose (*running);
        };
        const ScopedBlhostTiming pressDuringTheWrite (timing);
        onWizard (
            [&] (FirmwareUpgradeComponent& wizard)
            {
                running = &wizard;
                click (wizard, 0);
            });

        launchFirmwareUpgrader (2057, nullptr, false, false);

        ASSERT_TRUE (pressedDuringTheWrite) << pressed;
        EXPECT_EQ (boxesWithMessage ("Wrote wrong data!"), 1) << pressed;
        EXPECT_TRUE (flashErased (4096)) << pressed << ": the boot block is erased";
        const auto lastRun = tool.calls().back().joinIntoString (" ");
        EXPECT_TRUE (lastRun.contains ("flash-erase-region 0x60010000 4096")) << pressed << ": " << lastRun;

        scripted.forget();
        ports.removeAll();
        sentToUnits.clear();
    }
}

TEST_F (StoppingAnUpgrade, ACloseWhileStep2AsksTheUnitIntoItsBootloaderStopsAskingAndResetsTheUnit)
{
    serveNewerFirmware();
    addUnit ("Orvel-A V1.05 1");
    scripted.answerOkCancel (true);
    closeOnceTheUnitIsAskedIntoUpgradeMode();

    launchFirmwareUpgrader (2057, nullptr, true, true);

    EXPECT_EQ (enterRequestsSent(), 1) << "the second and third passes were not sent";
    EXPECT_EQ (toolRuns ("write-memory"), 0);
    EXPECT_TRUE (flashErased (2048));
    ASSERT_FALSE (tool.calls().empty());
    EXPECT_EQ (tool.calls().back().joinIntoString (" "), "-u -- reset") << "the unit is let out of its bootloader";
    EXPECT_EQ (server->requestCount(), 0);
    EXPECT_EQ (scripted.shown().size(), 2u) << "the start warning and the window: no box holds the closing window open; shown: "
                                            << scripted.titles().joinIntoString ("|") << " / " << scripted.messages().joinIntoString ("|");
}

TEST_F (StoppingAnUpgrade, AUnitTheToolDoesNotSeeAfterAClosedStep2GetsTheUpgradeModeReset)
{
    addUnit ("Orvel-A V1.05 1");
    tool.script ("get-property", "silent");
    std::unique_ptr<corvix::testing::SimulatedUpgradeDevice> inUpgradeMode;
    scripted.answerOkCancel (true);
    closeOnceTheUnitIsAskedIntoUpgradeMode ([&] { inUpgradeMode = std::make_unique<corvix::testing::SimulatedUpgradeDevice> (ports); });

    launchFirmwareUpgrader (2057, nullptr, true, false);

    ASSERT_NE (inUpgradeMode, nullptr);
    EXPECT_EQ (enterRequestsSent(), 1);
    EXPECT_EQ (toolRuns ("reset"), 0);
    const auto frame = resetFrame();
    ASSERT_EQ (inUpgradeMode->receivedFrames().size(), 1u);
    EXPECT_EQ (inUpgradeMode->receivedFrames()[0], std::vector<juce::uint8> (frame.begin(), frame.end()));
}

TEST_F (StoppingAnUpgrade, EscWhileStep2WaitsForTheBootloaderSaysTheUpgradeWasStoppedAndClosingResetsTheUnit)
{
    // Without the Esc the same unit, which never answers the tool, is one that could not enter.
    for (const auto escPressed : { true, false })
    {
        addUnit ("Orvel-A V1.05 1");
        tool.script ("get-property", "silent");
        std::unique_ptr<corvix::testing::SimulatedUpgradeDevice> inUpgradeMode;
        int stepAfterwards = -2;
        onWizard (
            [&] (FirmwareUpgradeComponent& wizard)
            {
                const PollUntil user (
                    [&]
                    {
                        if (enterRequestsSent() == 0)
                            return false;

                        inUpgradeMode = std::make_unique<corvix::testing::SimulatedUpgradeDevice> (ports);

                        if (escPressed)
                            pressEscape (wizard);

                        return true;
                    });
                click (wizard, 0);
                stepAfterwards = wizard.getCurrentStep();
            });

        launchFirmwareUpgrader (2057, nullptr, false, false);

        const auto stopped = boxesWithMessage ("The firmware upgrade was stopped.");
        const auto couldNotEnter = boxesWithMessage ("Device cannot enter Firmeware Upgrade mode!");
        EXPECT_EQ (stopped, escPressed ? 1 : 0) << escPressed << ": " << scripted.messages().joinIntoString ("|");
        EXPECT_EQ (couldNotEnter, escPressed ? 0 : 1) << escPressed;
        EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::WarningIcon);
        EXPECT_EQ (stepAfterwards, 0) << "step 2 can be tried again";
        EXPECT_EQ (enterRequestsSent(), escPressed ? 1 : 3);
        ASSERT_NE (inUpgradeMode, nullptr);
        ASSERT_EQ (inUpgradeMode->receivedFrames().size(), 1u) << escPressed << ": the closing wizard let the unit out of upgrade mode";
        const auto frame = resetFrame();
        EXPECT_EQ (inUpgradeMode->receivedFrames()[0], std::vector<juce::uint8> (frame.begin(), frame.end()));

        inUpgradeMode.reset();
        scripted.forget();
        ports.removeAll();
        sentToUnits.clear();
    }
}

TEST_F (StoppingAnUpgrade, EscWhileTheDownloadWaitsForANameThatIsNeverResolvedGivesTheWindowBackAndWritesNothing)
{
    // A name server that never answers is named only in a file tree of the test's own.
    if (! corvix::testing::insideOwnMounts())
    {
        // An address of the run's own, so that runs side by side never share one; one wait of
        // 30 s for the name: a stop that waited for the lookup would take that long.
        auto& random = juce::Random::getSystemRandom();
        const auto address = "127.53." + juce::String (random.nextInt ({ 1, 255 })) + "." + juce::String (random.nextInt ({ 1, 255 }));
        const juce::TemporaryFile resolverSettings;
        ASSERT_TRUE (
            resolverSettings.getFile().replaceWithText ("nameserver " + address + "\noptions timeout:30 attempts:1\n", false, false, "\n"));

        const auto run =
            corvix::testing::runCurrentTestInOwnMounts ({ "--bind", resolverSettings.getFile().getFullPathName(), "/etc/resolv.conf" });

        if (run.skipped)
            GTEST_SKIP() << run.output;

        EXPECT_TRUE (run.passed) << run.output;
        return;
    }

    const auto address =
        juce::StringArray::fromLines (juce::File ("/etc/resolv.conf").loadFileAsString())[0].fromFirstOccurrenceOf (" ", false, false);
    HoldingNameServer names (address);

    if (! names.isBound())
        GTEST_SKIP() << "no name server could be made on port 53 of " << address << ", which takes root";

    // The catalogue comes at once; the file itself lies on a mirror whose name is never resolved.
    startServer().respondAlways (
        "/firmware.xml", Response::ok (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)"));
    server->respondAlways ("/orvel_a_1.06.bin", Response::redirect (302, "http://mirror.firmware.talvor.example/orvel_a_1.06.bin"));
    addUnit ("Orvel-A V1.05 1");
    const auto threadsBefore = ServerRequestThread::threadsRunning();
    double escAt = 0.0, returnedAt = 0.0;
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            const PollUntil user (
                [&]
                {
                    if (names.questionsAsked() == 0)
                        return false;

                    escAt = juce::Time::getMillisecondCounterHiRes();
                    pressEscape (wizard);
                    return true;
                });
            click (wizard, 0);
            returnedAt = juce::Time::getMillisecondCounterHiRes();
            stepAfterwards = wizard.getCurrentStep();
        });
    letChooserConfirmItself();

    launchFirmwareUpgrader (2057, nullptr, false, true);

    ASSERT_GT (escAt, 0.0) << "the download never asked for the mirror's name; shown: " << scripted.titles().joinIntoString ("|");
    // The stop's grace and a wide margin for a loaded machine; far below the lookup's 30 s.
    EXPECT_LT (returnedAt - escAt, ServerRequestThread::defaultStopGraceMs + 2500.0) << "the window waited for the name lookup";
    EXPECT_EQ (stepAfterwards, 2);
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::messageBox), 0) << scripted.messages().joinIntoString ("|");
    EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 0);

    // The name is answered at last; what was left running ends and still writes nothing.
    const auto hangGuard = juce::Time::getMillisecondCounter() + 20000;

    while (ServerRequestThread::threadsRunning() > threadsBefore && juce::Time::getMillisecondCounter() < hangGuard)
    {
        names.answerAllAsNonexistent();
        juce::Thread::sleep (10);
    }

    EXPECT_LE (ServerRequestThread::threadsRunning(), threadsBefore) << "the request's threads never ended";
    EXPECT_EQ (cacheFolder.getFile().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0)
        << "something was written into the cache";
    EXPECT_EQ (server->requestCount ("/orvel_a_1.06.bin"), 1);
    EXPECT_EQ (toolRuns ("write-memory"), 0);
}
