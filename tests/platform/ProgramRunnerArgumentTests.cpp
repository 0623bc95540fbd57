#include "platform/ProgramRunner.h"
#include "tests/support/FakeBootloaderTool.h"

#include <gtest/gtest.h>

namespace
{
// The bootloader tool gets the firmware file's path among its arguments, and a path is whatever
// the user's folders are called. On Windows the argument list travels as one command line that
// the tool splits again, so this is the quoting's test there; elsewhere, the argument list's.
TEST (RunProgramArguments, HostileFileNamesReachTheToolEachAsOneArgumentUnchanged)
{
    const corvix::testing::FakeBootloaderTool tool;
    const juce::StringArray hostile{ "C:\\Firmware files\\unit \"A\".bin",
                                     "C:\\folder with spaces\\",
                                     "trailing\\\\",
                                     "a\\\"b",
                                     "\\\\server\\share\\x.bin",
                                     "%PATH% & del x ^ | y > z",
                                     "\"",
                                     "-u",
                                     "--file=x y",
                                     "$(touch x)`touch y`" };

    auto arguments = hostile;
    arguments.insert (0, corvix::testing::FakeBootloaderTool::executablePath());
    const auto result = talvor::runProgram (arguments, 20000);
    ASSERT_TRUE (result.started);
    EXPECT_FALSE (result.timedOut);

    const auto calls = tool.calls();
    ASSERT_EQ (calls.size(), 1u);
    EXPECT_EQ (calls[0], hostile) << calls[0].joinIntoString ("|");
}
} // namespace
