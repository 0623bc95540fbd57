// Tests that start the built program as a process of its own.
#include "shell/DemoSlaveProcess.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/X11Windows.h"

#include <juce_data_structures/juce_data_structures.h>

namespace
{
using shelltest::programFile;

juce::MemoryBlock treeMessage (const juce::ValueTree& tree)
{
    juce::MemoryOutputStream out (256);
    tree.writeToStream (out);
    return out.getMemoryBlock();
}

TEST (ChildProcessReplyTest, TheReplyIsTheCountPlusOneAndOneWithoutACount)
{
    juce::ValueTree withCount ("anything");
    withCount.setProperty ("count", 41, nullptr);
    const auto reply = makeChildProcessReply (treeMessage (withCount));
    EXPECT_EQ (reply.getType().toString(), "REPLY");
    EXPECT_EQ ((int) reply["countPlusOne"], 42);

    EXPECT_EQ ((int) makeChildProcessReply (treeMessage (juce::ValueTree ("empty")))["countPlusOne"], 1);
    EXPECT_EQ ((int) makeChildProcessReply (juce::MemoryBlock ("\x07garbage", 8))["countPlusOne"], 1);
}

TEST (ChildProcessReplyTest, AnOrdinaryCommandLineOrOneWithoutACoordinatorMakesNoChildProcess)
{
    EXPECT_FALSE (invokeChildProcessSlave ({}));
    EXPECT_FALSE (invokeChildProcessSlave ("--open something.corvix"));
    EXPECT_FALSE (invokeChildProcessSlave ("--demoUID:corvix_no_such_pipe_4711"));
}

// The coordinator's side, as another program would run it.
class Coordinator final : public juce::ChildProcessCoordinator
{
public:
    void handleMessageFromWorker (const juce::MemoryBlock& message) override
    {
        const juce::ScopedLock lock (section);
        received.add (juce::ValueTree::readFromData (message.getData(), message.getSize()));
        arrived.signal();
    }

    void handleConnectionLost() override { connectionLost = true; }

    juce::ValueTree waitForMessage (int index)
    {
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            {
                const juce::ScopedLock lock (section);
                if (index < received.size())
                    return received[index];
            }
            arrived.wait (100);
        }
        return {};
    }

    std::atomic<bool> connectionLost{ false };

private:
    juce::CriticalSection section;
    juce::Array<juce::ValueTree> received;
    juce::WaitableEvent arrived;
};

TEST (ChildProcessModeTest, TheRealProgramStartedAsAChildGreetsAndAnswersCounts)
{
    shelltest::useOwnRuntimeFolder();
    Coordinator coordinator;
    ASSERT_TRUE (coordinator.launchWorkerProcess (programFile(), "demoUID", 10000));

    EXPECT_EQ (coordinator.waitForMessage (0).getType().toString(), "HelloWorld");

    juce::ValueTree question ("question");
    question.setProperty ("count", 41, nullptr);
    ASSERT_TRUE (coordinator.sendMessageToWorker (treeMessage (question)));
    const auto answer = coordinator.waitForMessage (1);
    EXPECT_EQ (answer.getType().toString(), "REPLY");
    EXPECT_EQ ((int) answer["countPlusOne"], 42);

    ASSERT_TRUE (coordinator.sendMessageToWorker (treeMessage (juce::ValueTree ("no count"))));
    EXPECT_EQ ((int) coordinator.waitForMessage (2)["countPlusOne"], 1);

    coordinator.killWorkerProcess();
}

// Starts the program with a home and runtime folder of its own, so its single-instance lock is its own.
// On Windows the lock is the session's, and the test programs run one at a time while this runs.
class ProgramRun
{
public:
    explicit ProgramRun (const juce::File& home)
    {
#if JUCE_WINDOWS
        juce::ignoreUnused (home);
        started = process.start (programFile().getFullPathName(), juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr);
#else
        started = process.start (juce::StringArray ("/usr/bin/env", "HOME=" + home.getFullPathName(),
                                                    "XDG_RUNTIME_DIR=" + home.getFullPathName(), programFile().getFullPathName()),
                                 juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr);
#endif
    }

    ~ProgramRun()
    {
        if (process.isRunning())
            process.kill();
    }

    bool started{ false };
    juce::ChildProcess process;
};

// The shown main windows of programs that run with this home folder (other tests show windows of
// their own on the same display meanwhile).
std::vector<talvor::test::ShownWindow> windowsOfProgramsWithHome (const juce::File& home)
{
    std::vector<talvor::test::ShownWindow> result;
    const auto homeSetting = "HOME=" + home.getFullPathName().toStdString();
    for (const auto& window : talvor::test::shownWindows())
    {
        if (window.processId <= 0)
            continue;
#if JUCE_WINDOWS
        if (window.title.startsWith ("Orvel-A"))
            result.push_back (window);
        continue;
#endif
        juce::MemoryBlock environment; // NUL-separated settings
        juce::File ("/proc/" + juce::String (window.processId) + "/environ").loadFileAsData (environment);
        const std::string all (static_cast<const char*> (environment.getData()), environment.getSize());
        if (window.title.startsWith ("Orvel-A") && ('\0' + all + '\0').find ('\0' + homeSetting + '\0') != std::string::npos)
            result.push_back (window);
    }
    return result;
}

bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;
        juce::Thread::sleep (50);
    }
    return true;
}

TEST (ProgramRunTest, ASecondStartEndsAtOnceAndTheWindowsCloseButtonEndsTheProgramCleanly)
{
    juce::TemporaryFile homeFolder;
    const auto home = homeFolder.getFile();
    ASSERT_TRUE (home.createDirectory());
    const talvor::test::WindowManagerAtoms windowManagerAtoms;

    ProgramRun first (home);
    ASSERT_TRUE (first.started);
    const auto programWindows = [&home] { return windowsOfProgramsWithHome (home); };
    ASSERT_TRUE (waitUntil ([&] { return programWindows().size() == 1; }, 30000)) << "the program shows its window";
    const auto shown = programWindows();
    ASSERT_EQ (shown.size(), 1u);
    EXPECT_TRUE (shown[0].title.startsWith ("Orvel-A"));

    ProgramRun second (home);
    ASSERT_TRUE (second.started);
    EXPECT_TRUE (second.process.waitForProcessToFinish (30000)) << "a second start ends at once";
    EXPECT_EQ (second.process.getExitCode(), 0u);
    EXPECT_EQ (programWindows().size(), 1u);
    EXPECT_TRUE (first.process.isRunning());

    // The close button, as the window manager reports it. The exit code also carries what the
    // sanitizer build reports at exit (leaks among it). A request that arrives while the program
    // still builds its editor can be read off the connection during one of its round trips and
    // then wait for the next event from the server; a virtual server without a window manager
    // sends none, so the request is repeated, as a user would click again.
    for (int tries = 0; tries < 30 && first.process.isRunning(); ++tries)
    {
        talvor::test::requestWindowClose (shown[0].id);
        first.process.waitForProcessToFinish (1000);
    }
    ASSERT_TRUE (first.process.waitForProcessToFinish (1000));
    const auto output = first.process.readAllProcessOutput();
    EXPECT_EQ (first.process.getExitCode(), 0u) << output;
    EXPECT_FALSE (output.contains ("ERROR: AddressSanitizer")) << output;
    EXPECT_FALSE (output.contains ("ERROR: LeakSanitizer")) << output;
    EXPECT_TRUE (programWindows().empty());
    home.deleteRecursively();
}
TEST (ProgramRunTest, TheStartsOfDifferentUsersAreGuardedApart)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "on Windows the guard is the framework's, one per logon session, and a test cannot log on a second user";
#endif
    // Two users: each has a home and a runtime folder of their own. The first user's program must
    // not keep the second user's from starting, and each user's second start still ends at once.
    juce::TemporaryFile firstFolder, secondFolder;
    const auto firstHome = firstFolder.getFile(), secondHome = secondFolder.getFile();
    ASSERT_TRUE (firstHome.createDirectory());
    ASSERT_TRUE (secondHome.createDirectory());

    ProgramRun first (firstHome), second (secondHome);
    ASSERT_TRUE (first.started && second.started);
    EXPECT_TRUE (waitUntil ([&] { return windowsOfProgramsWithHome (firstHome).size() == 1; }, 30000));
    EXPECT_TRUE (waitUntil ([&] { return windowsOfProgramsWithHome (secondHome).size() == 1; }, 30000))
        << "the other user's program is not refused";

    ProgramRun again (secondHome);
    ASSERT_TRUE (again.started);
    EXPECT_TRUE (again.process.waitForProcessToFinish (30000)) << "a second start of the same user ends at once";
    EXPECT_TRUE (first.process.isRunning() && second.process.isRunning());
    firstHome.deleteRecursively();
    secondHome.deleteRecursively();
}
} // namespace
