#include "platform/CommandCapture.h"
#include "platform/ConcatStrings.h"
#include "platform/ExecutablePath.h"
#include "platform/ScopedFlagToggle.h"
#include "platform/VersionText.h"
#include "platform/WholeFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
using talvor::ByteList;

ByteList bytesOfLength (int length, juce::uint8 value)
{
    ByteList bytes;

    for (int i = 0; i < length; ++i)
        bytes.add (value);

    return bytes;
}

TEST (RunCommandCapture, DropsExactlyOneFinalLineFeed)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "runs /bin/sh and the POSIX tools, which Windows has not";
#endif
    EXPECT_EQ (talvor::runCommandCapture ("printf 'abc\\n\\n'"), "abc\n");
    EXPECT_EQ (talvor::runCommandCapture ("printf 'abc\\n'"), "abc");
    EXPECT_EQ (talvor::runCommandCapture ("printf 'abc'"), "abc");
    EXPECT_EQ (talvor::runCommandCapture ("printf ''"), "");
}

TEST (RunCommandCapture, KeepsOutputLongerThanOneRead)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "runs /bin/sh and the POSIX tools, which Windows has not";
#endif
    // Each read takes at most 511 characters; the pieces must be joined without loss.
    const auto output = talvor::runCommandCapture ("head -c 2000 /dev/zero | tr '\\0' 'x'; printf 'y'");
    ASSERT_EQ (output.size(), 2001u);
    EXPECT_EQ (output.back(), 'y');
    EXPECT_EQ (output.find_first_not_of ('x'), 2000u);
}

TEST (RunCommandCapture, ACommandThatCannotStartYieldsTheEmptyText)
{
    EXPECT_EQ (talvor::runCommandCapture ("/nonexistent/tool --version 2>/dev/null"), "");
}

class WholeFile : public testing::Test
{
protected:
    juce::TemporaryFile folder;
    juce::File root = folder.getFile();

    void TearDown() override { root.deleteRecursively(); }
};

TEST_F (WholeFile, AMissingFileReadsAsEmpty)
{
    EXPECT_TRUE (talvor::readWholeFile (root.getChildFile ("missing.bin").getFullPathName()).isEmpty());
}

TEST_F (WholeFile, WritingCreatesMissingFoldersAndReadsBackEveryByte)
{
    const auto path = root.getChildFile ("a/b/c/map.bin").getFullPathName();
    ByteList bytes;

    for (int i = 0; i < 256; ++i)
        bytes.add (static_cast<juce::uint8> (i));

    ASSERT_TRUE (talvor::writeWholeFile (path, bytes));
    EXPECT_EQ (talvor::readWholeFile (path), bytes);
}

TEST_F (WholeFile, AShorterWriteCutsTheFile)
{
    const auto path = root.getChildFile ("table.bin").getFullPathName();
    ASSERT_TRUE (talvor::writeWholeFile (path, bytesOfLength (100, 0xaa)));
    ASSERT_TRUE (talvor::writeWholeFile (path, bytesOfLength (10, 0x55)));
    EXPECT_EQ (juce::File (path).getSize(), 10);
    EXPECT_EQ (talvor::readWholeFile (path), bytesOfLength (10, 0x55));
}

TEST_F (WholeFile, AnEmptyWriteLeavesAnEmptyFile)
{
    const auto path = root.getChildFile ("empty.bin").getFullPathName();
    ASSERT_TRUE (talvor::writeWholeFile (path, bytesOfLength (30, 1)));
    ASSERT_TRUE (talvor::writeWholeFile (path, {}));
    EXPECT_TRUE (juce::File (path).existsAsFile());
    EXPECT_EQ (juce::File (path).getSize(), 0);
}

TEST_F (WholeFile, AFileThatCannotBeCreatedReportsFailure)
{
    // A plain file where a folder is needed.
    const auto blocker = root.getChildFile ("blocker");
    ASSERT_TRUE (talvor::writeWholeFile (blocker.getFullPathName(), bytesOfLength (1, 0)));
    EXPECT_FALSE (talvor::writeWholeFile (blocker.getChildFile ("inner.bin").getFullPathName(), bytesOfLength (4, 0)));
}

TEST (ConcatStrings, JoinsInOrderAndStopsAtTheFirstNullPointer)
{
    EXPECT_EQ (talvor::concatStrings ("Orvel", { "-", "A", " V", "1.13" }), "Orvel-A V1.13");
    EXPECT_EQ (talvor::concatStrings ("ab", { "", "" }), "ab");
    EXPECT_EQ (talvor::concatStrings ("ab", {}), "ab");
    EXPECT_EQ (talvor::concatStrings ("ab", { "c", nullptr, "never" }), "abc");
    EXPECT_EQ (talvor::concatStrings (nullptr, { "x" }), "x");
}

TEST (DigitBeforeFirstDot, ReadsTheOneCharacterInFrontOfTheFirstDot)
{
    EXPECT_EQ (talvor::digitBeforeFirstDot ("1.68"), 1);
    EXPECT_EQ (talvor::digitBeforeFirstDot ("12.3"), 2);
    EXPECT_EQ (talvor::digitBeforeFirstDot ("10.4"), 0);
    EXPECT_EQ (talvor::digitBeforeFirstDot ("1.2.3"), 1);
    EXPECT_EQ (talvor::digitBeforeFirstDot ("v7"), 0);
    EXPECT_EQ (talvor::digitBeforeFirstDot (".5"), 0);
    EXPECT_EQ (talvor::digitBeforeFirstDot ("x.5"), 0);
    EXPECT_EQ (talvor::digitBeforeFirstDot (""), 0);
}

TEST (ScopedFlagToggle, InvertsForExactlyTheObjectsLifetime)
{
    bool flag = false;
    {
        talvor::ScopedFlagToggle toggle (flag);
        EXPECT_TRUE (flag);
    }
    EXPECT_FALSE (flag);

    try
    {
        talvor::ScopedFlagToggle toggle (flag);
        throw std::runtime_error ("leave the scope early");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_FALSE (flag);
}

TEST (PathNextToExecutable, IsTheRunningProgramsFolderWithASlash)
{
    const auto path = talvor::pathNextToExecutable();
    ASSERT_TRUE (path.endsWith ("/"));
    EXPECT_EQ (juce::File (path.dropLastCharacters (1)),
               juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory());
}
} // namespace
