#include "tests/support/OwnMountsRun.h"

#include <gtest/gtest.h>

namespace corvix::testing
{
namespace
{
const char* const insideVariable = "CORVIX_TEST_IN_OWN_MOUNTS";
const char* const readOnlyFolderVariable = "CORVIX_TEST_READ_ONLY_FOLDER";
const juce::File bubblewrap{ "/usr/bin/bwrap" };
} // namespace

bool insideOwnMounts() { return juce::SystemStats::getEnvironmentVariable (insideVariable, {}) == "1"; }

OwnMountsRun runCurrentTestInOwnMounts (const juce::StringArray& bubblewrapArguments, int timeoutMs)
{
    OwnMountsRun run;

#if JUCE_LINUX
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();

    if (test == nullptr || ! bubblewrap.existsAsFile())
    {
        run.skipped = true;
        run.output = "bubblewrap is not installed";
        return run;
    }

    juce::StringArray command{ bubblewrap.getFullPathName(), "--dev-bind", "/", "/" };
    command.addArray (bubblewrapArguments);
    command.addArray ({ "--setenv", insideVariable, "1", "--die-with-parent", "--",
                        juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName(),
                        juce::String ("--gtest_filter=") + test->test_suite_name() + "." + test->name() });

    juce::ChildProcess child;

    if (! child.start (command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
    {
        run.output = "the test could not be started again inside bubblewrap";
        return run;
    }

    // Read as it comes: a child whose output fills the pipe would otherwise never end.
    juce::MemoryOutputStream printed;
    const auto giveUpAt = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    for (char buffer[4096];;)
    {
        const auto got = child.readProcessOutput (buffer, (int) sizeof (buffer));

        if (got > 0)
            printed.write (buffer, (size_t) got);
        else if (! child.isRunning())
            break;
        else if (juce::Time::getMillisecondCounter() > giveUpAt)
        {
            child.kill();
            printed << "\n(the child was given up after " << timeoutMs << " ms)";
            break;
        }
    }

    run.output = printed.toString();
    run.skipped = run.output.contains ("[  SKIPPED ]");
    run.passed = ! child.isRunning() && child.getExitCode() == 0 && run.output.contains ("[  PASSED  ] 1 test");
#else
    juce::ignoreUnused (bubblewrapArguments, timeoutMs);
    run.skipped = true;
    run.output = "mount namespaces are Linux's";
#endif

    return run;
}

OwnMountsRun runCurrentTestWithReadOnlyFolder (const juce::File& folder, int timeoutMs)
{
    const auto path = folder.getFullPathName();
    return runCurrentTestInOwnMounts ({ "--ro-bind", path, path, "--setenv", readOnlyFolderVariable, path }, timeoutMs);
}

juce::File readOnlyFolder() { return juce::File (juce::SystemStats::getEnvironmentVariable (readOnlyFolderVariable, {})); }
} // namespace corvix::testing
