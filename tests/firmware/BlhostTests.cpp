#include "firmware/BlhostFlashing.h"
#include "firmware/BootloaderTool.h"
#include "firmware/FirmwareCache.h"
#include "firmware/WizardState.h"
#include "platform/WholeFile.h"
#include "tests/support/FakeBootloaderTool.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using namespace talvor;
using corvix::testing::FakeBootloaderTool;

ByteList makeImage (int size)
{
    ByteList bytes;
    juce::Random random (size);

    for (int i = 0; i < size; ++i)
        bytes.add (static_cast<juce::uint8> (random.nextInt (256)));

    return bytes;
}

juce::StringArray args (std::initializer_list<juce::String> list)
{
    juce::StringArray arguments;

    for (const auto& argument : list)
        arguments.add (argument);

    return arguments;
}

ByteList filled (int size, juce::uint8 value)
{
    ByteList bytes;
    bytes.insertMultiple (0, value, size);
    return bytes;
}

class BlhostTest : public testing::Test
{
protected:
    void SetUp() override
    {
        resetWizardState();
        folder.createDirectory();
        firmwareCacheFolderSetting = folder.getChildFile ("cache");
        bootloaderToolPath = FakeBootloaderTool::executablePath();
        unitFound = true;
    }

    void TearDown() override
    {
        resetWizardState();
        folder.deleteRecursively();
    }

    BlhostTiming recordingTiming (int deadlineMs = 20000)
    {
        BlhostTiming timing;
        timing.wait = [this] (int ms) { waits.push_back (ms); };
        timing.probeDeadlineMs = deadlineMs;
        timing.transferDeadlineMs = deadlineMs;
        timing.eraseDeadlineMarginMs = 20000;
        return timing;
    }

    juce::String firmwareFile (const ByteList& bytes, const juce::String& name = "orvel_a_2.10.bin")
    {
        const auto file = folder.getChildFile ("downloads").getChildFile (name);
        EXPECT_TRUE (writeWholeFile (file.getFullPathName(), bytes));
        return file.getFullPathName();
    }

    juce::Array<juce::File> cacheFiles() const { return firmwareCacheFolder().findChildFiles (juce::File::findFiles, true); }

    juce::StringArray commands() const
    {
        juce::StringArray names;

        for (const auto& call : tool.calls())
            names.add (call[call.indexOf ("--") + 1] + (call.contains ("flash-erase-region") ? " " + call[call.size() - 1] : ""));

        return names;
    }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("blhost-" + juce::Uuid().toString());
    FakeBootloaderTool tool;
    std::vector<int> waits;
};

//==============================================================================
TEST (BlhostArguments, EachOperationHasItsArgumentListAndTheEraseItsTimeOut)
{
    const juce::String tool = "/opt/tool";

    EXPECT_EQ (blhostArguments (tool, "keep", "x", "y"), args ({ tool, "-u", "--", "get-property", "1" }));
    EXPECT_EQ (blhostArguments (tool, "Reset", "x", "y"), args ({ tool, "-u", "--", "reset" }));
    // File paths reach the tool with the system's separators.
#if JUCE_WINDOWS
    const auto native = [] (const juce::String& path) { return path.replaceCharacter ('/', '\\'); };
#else
    const auto native = [] (const juce::String& path) { return path; };
#endif
    EXPECT_EQ (blhostArguments (tool, "write", "/c/a b.bin", "y"),
               args ({ tool, "-u", "--", "write-memory", "0x60010000", native ("/c/a b.bin") }));
    EXPECT_EQ (blhostArguments (tool, "READ", "/c/a.dat", "100000"),
               args ({ tool, "-u", "--", "read-memory", "0x60010000", "100000", native ("/c/a.dat") }));
    EXPECT_EQ (blhostArguments (tool, "erase", "104096", ""),
               args ({ tool, "-u", "-t", "5000", "--", "flash-erase-region", "0x60010000", "104096" }));
    EXPECT_TRUE (blhostArguments (tool, "flash", "a", "b").isEmpty());
}

TEST (BlhostArguments, AnEraseBeyondTheErasableRegionIsTimedForTheWholeRegionButNamesItsOwnSize)
{
    const auto arguments = blhostArguments ("/t", "erase", "2004096", "");
    EXPECT_EQ (arguments[3], "16448");
    EXPECT_EQ (arguments[7], "2004096");

    EXPECT_EQ (blhostArguments ("/t", "erase", "4096", "")[3], "5000");
    EXPECT_EQ (blhostArguments ("/t", "erase", "-5", "")[3], "16448");
}

TEST (BlhostResult, TheStatusLineAndItsSuccessDecideIgnoringCase)
{
    EXPECT_EQ (blhostResultOf ("Response status = 0 (0x0) Success."), blhostSucceeded);
    EXPECT_EQ (blhostResultOf ("RESPONSE STATUS = 0 (0x0) SUCCESS."), blhostSucceeded);
    EXPECT_EQ (blhostResultOf ("Response status = 10004 (0x2714) No response packet from target device."), blhostFailed);
    EXPECT_EQ (blhostResultOf ("Success."), blhostNoStatus);
    EXPECT_EQ (blhostResultOf (""), blhostNoStatus);
}

TEST_F (BlhostTest, WithoutAToolEveryOperationGivesNoStatusAndRunsNothing)
{
    const ScopedBlhostTiming timing (recordingTiming());
    bootloaderToolPath = {};
    EXPECT_EQ (runBlhost ("keep"), blhostNoStatus);

    bootloaderToolPath = folder.getChildFile ("absent").getFullPathName();
    EXPECT_EQ (runBlhost ("erase", "4096"), blhostNoStatus);

    bootloaderToolPath = FakeBootloaderTool::executablePath();
    EXPECT_EQ (runBlhost ("format"), blhostNoStatus);

    EXPECT_TRUE (tool.calls().empty());
    EXPECT_TRUE (waits.empty());
}

TEST_F (BlhostTest, AnEraseWaitsForItsWarningAndThenForItsTimedRegion)
{
    const ScopedBlhostTiming timing (recordingTiming());

    EXPECT_EQ (runBlhost ("erase", "2004096"), blhostSucceeded);
    EXPECT_EQ (runBlhost ("Keep"), blhostSucceeded);
    EXPECT_EQ (waits, (std::vector<int>{ 4000, 16448, 235 }));
    EXPECT_EQ (tool.calls()[0][2], "16448");
}

//==============================================================================
TEST_F (BlhostTest, AWholeRunWritesTheImageVerifiesItResetsTheUnitAndLeavesNothingBehind)
{
    const ScopedBlhostTiming timing (recordingTiming());
    const auto image = makeImage (100000);
    tool.setFlash (filled (200000, 0x00));

    const auto result = flashWithBlhost (firmwareFile (image));

    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (tool.flash (100000), image);
    EXPECT_EQ (tool.flash (104096).getLast(), 0xFF) << "the erase covers the image and 4096 bytes more";
    EXPECT_EQ (tool.flash (104097).getLast(), 0x00);

    const auto calls = tool.calls();
    ASSERT_EQ (calls.size(), 5u);
    EXPECT_EQ (calls[0], args ({ "-u", "-t", "5000", "--", "flash-erase-region", "0x60010000", "104096" }));
    EXPECT_EQ (calls[1][2], "write-memory");
    EXPECT_EQ (calls[2][2], "get-property");
    EXPECT_EQ (calls[3], args ({ "-u", "--", "read-memory", "0x60010000", "100000",
                                 readBackFileFor (juce::File (firmwareFile (image))).getFullPathName() }));
    EXPECT_EQ (calls[4][2], "reset");

    // The warning pause, then after each run: erase 104096 / 64, write, probe, settle, read,
    // compare, reset.
    EXPECT_EQ (waits, (std::vector<int>{ 4000, 1626, 3000, 235, 235, 235, 470, 235 }));
    EXPECT_TRUE (cacheFiles().isEmpty());
    EXPECT_FALSE (unitFound);
}

TEST_F (BlhostTest, TheToolWritesItsOwnCopyFromTheCacheNamedAfterTheFirmware)
{
    const ScopedBlhostTiming timing (recordingTiming());
    tool.script ("write-memory", "silent");

    EXPECT_FALSE (flashWithBlhost (firmwareFile (makeImage (600), "orvel_a_1.2.bin")).wasOk());

    const auto writeCall = tool.calls()[1];
    EXPECT_EQ (writeCall.joinIntoString (" "),
               "-u -- write-memory 0x60010000 " + firmwareCacheFolder().getChildFile ("local/orvel_a_1.2_.bin").getFullPathName());
}

TEST_F (BlhostTest, AFileNameThatACommandInterpreterWouldActOnReachesTheToolAsOneArgument)
{
    const ScopedBlhostTiming timing (recordingTiming());
    const auto previousFolder = juce::File::getCurrentWorkingDirectory();
    folder.setAsCurrentWorkingDirectory();
    const auto image = makeImage (1024);

    const auto result = flashWithBlhost (firmwareFile (image, "$(touch x)&%PATH%.bin"));
    previousFolder.setAsCurrentWorkingDirectory();

    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (tool.flash (1024), image);
    const auto calls = tool.calls();
    ASSERT_EQ (calls.size(), 5u);
    EXPECT_EQ (calls[1][4], firmwareCacheFolder().getChildFile ("local/$(touch x)&%PATH%_.bin").getFullPathName());
    EXPECT_EQ (calls[3][5], firmwareCacheFolder().getChildFile ("local/$(touch x)&%PATH%.dat").getFullPathName());
    EXPECT_FALSE (folder.getChildFile ("x").exists());
    EXPECT_FALSE (firmwareCacheFolder().getChildFile ("local/x").exists());
}

//==============================================================================
TEST_F (BlhostTest, AReadBackThatDiffersInOneByteFailsErasesTheBootBlockAndLeavesNoReadBack)
{
    const ScopedBlhostTiming timing (recordingTiming());
    tool.script ("read-memory", "differ");
    const auto image = makeImage (100000);

    const auto result = flashWithBlhost (firmwareFile (image));

    EXPECT_EQ (result.getErrorMessage(), "Wrote wrong data!");
    EXPECT_EQ (commands(), juce::StringArray (
                               { "flash-erase-region 104096", "write-memory", "get-property", "read-memory", "flash-erase-region 4096" }));
    EXPECT_EQ (tool.flash (4096), filled (4096, 0xFF));
    EXPECT_EQ (tool.flash (100000)[4096], image[4096]);
    EXPECT_TRUE (cacheFiles().isEmpty());
    EXPECT_FALSE (unitFound);
}

TEST_F (BlhostTest, AReadBackLeftByAnEarlierRunNeverStandsInForThisOne)
{
    const ScopedBlhostTiming timing (recordingTiming());
    const auto image = makeImage (2048);
    const auto path = firmwareFile (image);
    writeWholeFile (readBackFileFor (juce::File (path)).getFullPathName(), image);
    tool.script ("read-memory", "nofile");

    EXPECT_EQ (flashWithBlhost (path).getErrorMessage(), "check failed!");
    EXPECT_EQ (commands()[4], "flash-erase-region 4096");
}

TEST_F (BlhostTest, AWriteTheToolCouldNotReportOnStillErasesTheBootBlock)
{
    const ScopedBlhostTiming timing (recordingTiming());
    tool.script ("write-memory", "crash");

    EXPECT_EQ (flashWithBlhost (firmwareFile (makeImage (4096))).getErrorMessage(), "Write firmware failed!");
    EXPECT_EQ (commands(), args ({ "flash-erase-region 8192", "write-memory", "flash-erase-region 4096" }));
    EXPECT_FALSE (unitFound);
}

TEST_F (BlhostTest, AWriteWithAStatusButNoSuccessCountsAsWrittenAndTheCheckFindsTheTruth)
{
    const ScopedBlhostTiming timing (recordingTiming());
    tool.script ("write-memory", "fail");

    EXPECT_EQ (flashWithBlhost (firmwareFile (makeImage (4096))).getErrorMessage(), "Wrote wrong data!");
    EXPECT_EQ (commands().size(), 5);
}

struct ToolFault
{
    const char* command;
    const char* behaviour;
    const char* expectedText;
    int expectedRuns;
    bool erased; // the run got past the erase, so the unit is no longer taken as found
};

TEST_F (BlhostTest, EveryWayTheToolCanFailEndsInItsStagesText)
{
    const ToolFault faults[] = {
        { "flash-erase-region", "fail", "Erase failed!", 2, false },   { "flash-erase-region", "silent", "Erase failed!", 2, false },
        { "flash-erase-region", "crash", "Erase failed!", 2, false },  { "write-memory", "silent", "Write firmware failed!", 3, true },
        { "write-memory", "hang", "Write firmware failed!", 3, true }, { "read-memory", "fail", "Check failed!", 5, true },
        { "read-memory", "silent", "Check failed!", 5, true },         { "read-memory", "crash", "Check failed!", 5, true },
        { "read-memory", "hang", "Check failed!", 5, true },           { "reset", "fail", "OK. But reset failed!", 5, true },
        { "reset", "silent", "OK. But reset failed!", 5, true },       { "reset", "crash", "OK. But reset failed!", 5, true },
        { "reset", "hang", "OK. But reset failed!", 5, true },
    };

    for (const auto& fault : faults)
    {
        // Only a tool that hangs is given a deadline short enough to be met here.
        const ScopedBlhostTiming timing (recordingTiming (juce::String (fault.behaviour) == "hang" ? 1500 : 20000));
        FakeBootloaderTool faultyTool;
        faultyTool.script (fault.command, fault.behaviour);
        unitFound = true;

        const auto result = flashWithBlhost (firmwareFile (makeImage (1000)));

        EXPECT_EQ (result.getErrorMessage(), fault.expectedText) << fault.command << " " << fault.behaviour;
        EXPECT_EQ (static_cast<int> (faultyTool.calls().size()), fault.expectedRuns) << fault.command << " " << fault.behaviour;
        EXPECT_EQ (unitFound, ! fault.erased) << fault.command << " " << fault.behaviour;
    }
}

TEST_F (BlhostTest, AStatusLinePrintedOnStandardErrorIsNotTheToolsAnswer)
{
    const ScopedBlhostTiming timing (recordingTiming());
    tool.script ("get-property", "stderr");
    tool.script ("reset", "stderr");

    EXPECT_EQ (runBlhost ("keep"), blhostNoStatus);
    EXPECT_EQ (flashWithBlhost (firmwareFile (makeImage (4096))).getErrorMessage(), "OK. But reset failed!");
    EXPECT_EQ (commands()[commands().size() - 1], "reset") << "the tool did run";
}

//==============================================================================
TEST_F (BlhostTest, EscBeforeTheEraseIsAFailureThatTouchesNothing)
{
    const ScopedBlhostTiming timing (recordingTiming());
    abortRequested = true;

    const auto result = flashWithBlhost (firmwareFile (makeImage (4096)));

    EXPECT_TRUE (result.failed());
    EXPECT_EQ (result.getErrorMessage(), "Firmware upgrade aborted!");
    EXPECT_TRUE (tool.calls().empty());
    EXPECT_TRUE (cacheFiles().isEmpty()) << "the tool's copy is deleted";
    EXPECT_TRUE (unitFound) << "the unit is still there to be reset";
}

TEST_F (BlhostTest, FilesTheDeviceCannotTakeAreRefusedBeforeAnyToolRun)
{
    const ScopedBlhostTiming timing (recordingTiming());

    for (const auto size : { 0, 1, 511, 1048577, 2000000 })
    {
        EXPECT_EQ (flashWithBlhost (firmwareFile (filled (size, 0x5A))).getErrorMessage(), "Firmware exception!") << size;
        EXPECT_TRUE (unitFound);
    }

    EXPECT_TRUE (tool.calls().empty());
    EXPECT_TRUE (cacheFiles().isEmpty());

    EXPECT_TRUE (flashWithBlhost (firmwareFile (filled (512, 0x5A))).wasOk());
    EXPECT_EQ (tool.flash (513).getLast(), 0xFF);
}

TEST_F (BlhostTest, AMissingFileToolOrCacheFailsAtOnce)
{
    const ScopedBlhostTiming timing (recordingTiming());

    EXPECT_EQ (flashWithBlhost (folder.getChildFile ("none.bin").getFullPathName()).getErrorMessage(), "No firmware file!");
    EXPECT_EQ (flashWithBlhost ({}).getErrorMessage(), "No firmware file!");

    const auto path = firmwareFile (makeImage (1024));
    bootloaderToolPath = folder.getChildFile ("tools/blhost").getFullPathName();
    EXPECT_EQ (flashWithBlhost (path).getErrorMessage(), "Lacked of upgrade tool!\n" + bootloaderToolPath);

    bootloaderToolPath = FakeBootloaderTool::executablePath();
    firmwareCacheFolderSetting = juce::File (path); // a file where the folder should be
    EXPECT_EQ (flashWithBlhost (path).getErrorMessage(), "Cannot create firmware file!");

    EXPECT_TRUE (tool.calls().empty());
    EXPECT_TRUE (waits.empty());
    EXPECT_TRUE (unitFound);
}

TEST (CacheCopy, ReplacesAnEarlierCopyAndCreatesItsFolder)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("cache-" + juce::Uuid().toString());
    firmwareCacheFolderSetting = folder.getChildFile ("deep/cache");
    const auto source = folder.getChildFile ("fw.v2.bin");
    writeWholeFile (source.getFullPathName(), { 1, 2, 3 });
    writeWholeFile (folder.getChildFile ("deep/cache/local/fw.v2_.bin").getFullPathName(), { 9, 9, 9, 9, 9 });

    const auto copy = cacheCopy (source.getFullPathName(), "_", "local/");

    EXPECT_EQ (copy, folder.getChildFile ("deep/cache/local/fw.v2_.bin").getFullPathName());
    EXPECT_EQ (readWholeFile (copy), ByteList ({ 1, 2, 3 }));
    EXPECT_TRUE (cacheCopy (folder.getChildFile ("absent.bin").getFullPathName(), "_", "local/").isEmpty());
    EXPECT_FALSE (folder.getChildFile ("deep/cache/local/absent_.bin").exists());

    firmwareCacheFolderSetting = juce::File();
    folder.deleteRecursively();
}
} // namespace
