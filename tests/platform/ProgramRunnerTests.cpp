#include "platform/ProgramRunner.h"

#include <gtest/gtest.h>

#if ! JUCE_WINDOWS
#include <signal.h>
#endif

namespace
{
using talvor::runProgram;

constexpr int generousDeadlineMs = 20000;

TEST (RunProgram, EachArgumentReachesTheProgramAsItIsAndNoInterpreterActsOnIt)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "runs /bin/sh and the POSIX tools, which Windows has not";
#endif
    const auto folder = juce::File::createTempFile ("runner");
    ASSERT_TRUE (folder.createDirectory());
    const auto previousFolder = juce::File::getCurrentWorkingDirectory();
    folder.setAsCurrentWorkingDirectory();

    const juce::StringArray hostile{ "$(touch x)&%PATH%", "a b", "\"quoted\"", "semi;colon", "back\\slash", "`touch y`" };
    auto arguments = juce::StringArray{ "/usr/bin/printf", "[%s]\\n" };
    arguments.addArray (hostile);

    const auto result = runProgram (arguments, generousDeadlineMs);
    previousFolder.setAsCurrentWorkingDirectory();

    EXPECT_TRUE (result.started);
    EXPECT_FALSE (result.timedOut);
    EXPECT_EQ (result.output, "[$(touch x)&%PATH%]\n[a b]\n[\"quoted\"]\n[semi;colon]\n[back\\slash]\n[`touch y`]\n");
    EXPECT_FALSE (folder.getChildFile ("x").exists());
    EXPECT_FALSE (folder.getChildFile ("y").exists());
    folder.deleteRecursively();
}

TEST (RunProgram, CollectsStandardOutputOnlyAndOutputLargerThanThePipeHolds)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "runs /bin/sh and the POSIX tools, which Windows has not";
#endif
    const auto both = runProgram ({ "/bin/sh", "-c", "echo out; echo 'status = 0 Success.' >&2; echo end" }, generousDeadlineMs);
    EXPECT_EQ (both.output, "out\nend\n");

    // A pipe holds some 64 KB: a runner that waited for the end before reading would stall here.
    const auto large = runProgram ({ "/bin/sh", "-c", "head -c 300000 /dev/zero | tr '\\0' a" }, generousDeadlineMs);
    EXPECT_FALSE (large.timedOut);
    EXPECT_EQ (large.output.length(), 300000);
}

TEST (RunProgram, AProgramStillRunningAtItsDeadlineIsEndedWithWhatItPrintedSoFar)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "runs /bin/sh and the POSIX tools, which Windows has not";
#endif
    // Long enough for a loaded machine to start the shell and let it print; the sleep outlasts it.
    const auto result = runProgram ({ "/bin/sh", "-c", "echo $$; exec sleep 60" }, 3000);

    EXPECT_TRUE (result.started);
    EXPECT_TRUE (result.timedOut);

    const auto pid = result.output.trim().getIntValue();
    ASSERT_GT (pid, 0) << result.output;
#if ! JUCE_WINDOWS
    EXPECT_NE (::kill (pid, 0), 0) << "the program is gone and reaped";
#endif
}

TEST (RunProgram, AMissingProgramIsNotStarted)
{
    const auto result = runProgram ({ "/nonexistent/folder/tool", "-u" }, generousDeadlineMs);
    EXPECT_FALSE (result.started);
    EXPECT_TRUE (result.output.isEmpty());

    EXPECT_FALSE (runProgram ({}, generousDeadlineMs).started);
}
} // namespace
