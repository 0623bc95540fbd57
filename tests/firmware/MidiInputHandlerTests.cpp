#include "firmware/MidiInputHandler.h"
#include "firmware/UpgradeReplyFlags.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/VirtualMidiPortBackend.h"
#include "tests/support/SimulatedUpgradeDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
using namespace talvor;
using corvix::testing::SimulatedUpgradeDevice;
using Answer = SimulatedUpgradeDevice::Answer;
using Bytes = std::vector<juce::uint8>;

constexpr int midiProduct = 110;

/** Spends no real 33 ms per poll: each slice of a wait lasts 1 ms, so a run that waits out its
    300 polls ends in a fraction of a second. Counts the polls' waits. */
class ShortPolls
{
public:
    explicit ShortPolls (VirtualMidiPortBackend& ports)
        : runner (
            [this, &ports] (int milliseconds)
            {
                polls += milliseconds == 33 ? 1 : 0;
                std::this_thread::sleep_for (std::chrono::milliseconds (1));
                // A prompt answer is in before the next poll however busy the machine is, so the
                // counts below measure the back-end's patience, not the scheduler's.
                ports.waitForDueDeliveries();
            })
    {
    }

    int polls = 0;
    static constexpr int slack = 20;

private:
    ScopedDispatchSliceRunner runner;
};

bool anyFlagRaised()
{
    const auto& f = upgradeReplyFlags;
    return f.connectAcknowledged || f.eraseAcknowledged || f.blockAcknowledged || f.resetAcknowledged || f.deviceErrorReported
           || f.enterModeReply;
}

juce::MidiMessage raw (std::initializer_list<juce::uint8> bytes)
{
    const Bytes data (bytes);
    return juce::MidiMessage (data.data(), static_cast<int> (data.size()));
}

class MidiInputHandlerTest : public testing::Test
{
protected:
    MidiInputHandlerTest()
    {
        resetWizardState();
        clearReplyFlags();
        ports.setExclusiveOpens (true); // as on Windows: a port left open blocks the next opener
    }

    ~MidiInputHandlerTest() override
    {
        resetWizardState();
        clearReplyFlags();
        folder.deleteRecursively();
    }

    juce::File firmwareOf (const Bytes& bytes)
    {
        folder.createDirectory();
        const auto file = folder.getNonexistentChildFile ("fw", ".bin");
        file.replaceWithData (bytes.data(), bytes.size());
        return file;
    }

    static Bytes image (size_t size)
    {
        Bytes bytes (size);

        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<juce::uint8> (i * 7 + 3);

        return bytes;
    }

    juce::Result flash (const Bytes& bytes)
    {
        handler.openDevice (device.getPortName());
        EXPECT_TRUE (handler.isOpen());
        handler.loadFirmwareFile (firmwareOf (bytes));
        const auto result = handler.writeFirmwareOverMidi();
        handler.close();
        return result;
    }

    const juce::File folder =
        juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("midi-fw-" + juce::Uuid().toString());
    VirtualMidiPortBackend ports;
    ScopedMidiPortBackend installed{ ports };
    SimulatedUpgradeDevice device{ ports };
    MidiInputHandler handler{ midiProduct };
};

//==============================================================================
TEST_F (MidiInputHandlerTest, RepliesRaiseTheirFlagsAndAnErrorOnlyTheErrorFlag)
{
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x01, 0x7F }));
    EXPECT_EQ (upgradeReplyFlags.deviceErrorReported, 1);
    EXPECT_EQ (upgradeReplyFlags.blockAcknowledged, 0);
    clearReplyFlags();

    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x03, 0x00 }));
    EXPECT_FALSE (anyFlagRaised());

    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x7F, 0x00 }));
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x00, 0x01 }));
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x01, 0x00 }));
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x02, 0x00 }));
    EXPECT_EQ (upgradeReplyFlags.connectAcknowledged, 1);
    EXPECT_EQ (upgradeReplyFlags.eraseAcknowledged, 1);
    EXPECT_EQ (upgradeReplyFlags.blockAcknowledged, 1);
    EXPECT_EQ (upgradeReplyFlags.resetAcknowledged, 1);

    handler.handleIncomingMidiMessage (raw ({ 0xEC, 0x2D, 0x01 }));
    EXPECT_EQ (upgradeReplyFlags.enterModeReply, 1);
    handler.handleIncomingMidiMessage (raw ({ 0xEC, 0x2D, 0x00 }));
    EXPECT_EQ (upgradeReplyFlags.enterModeReply, 0);
}

TEST_F (MidiInputHandlerTest, MessagesShorterThanAReplyAreIgnored)
{
    handler.handleIncomingMidiMessage (raw ({ 0xF8 }));
    handler.handleIncomingMidiMessage (raw ({ 0xFE }));
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x01 }));
    handler.handleIncomingMidiMessage (raw ({ 0xEC, 0x2D }));
    EXPECT_FALSE (anyFlagRaised());
}

TEST_F (MidiInputHandlerTest, AfterCloseRepliesNoLongerChangeAnyFlag)
{
    handler.close();
    handler.handleIncomingMidiMessage (raw ({ 0x9F, 0x01, 0x00 }));
    handler.handleIncomingMidiMessage (raw ({ 0xEC, 0x2D, 0x01 }));
    EXPECT_FALSE (anyFlagRaised());
}

//==============================================================================
TEST_F (MidiInputHandlerTest, A513ByteImageGoesAsTwoBlocksFramedAndSummedAndPaddedWithZeros)
{
    double highest = 0.0;
    juce::StringArray statusTexts;
    onWizardProgressChanged = [&]
    {
        highest = std::max (highest, wizardProgress);

        if (statusTexts.isEmpty() || statusTexts[statusTexts.size() - 1] != wizardStatusText)
            statusTexts.add (wizardStatusText);
    };

    const auto bytes = image (513);
    const auto result = flash (bytes);

    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (device.checksumErrors(), 0);
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1 }));

    auto expectedImage = bytes;
    expectedImage.resize (1024, 0x00);
    EXPECT_EQ (device.writtenImage(), expectedImage);

    const auto frames = device.receivedFrames();
    ASSERT_EQ (frames.size(), 5u);
    EXPECT_EQ (Bytes (frames[0].begin() + 10, frames[0].end()), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x7F, 0x00, 0x3A }));
    EXPECT_EQ (Bytes (frames[1].begin() + 10, frames[1].end()), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x00, 0x70, 0x2B }));
    EXPECT_EQ (frames[2].size(), 530u);
    EXPECT_EQ (Bytes (frames[2].begin() + 10, frames[2].begin() + 17), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x01, 0x00, 0x00 }));
    EXPECT_EQ (frames[3][15], 1);
    EXPECT_EQ (Bytes (frames[4].begin() + 10, frames[4].end()), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x02, 0x00, 0xBD }));

    EXPECT_LE (highest, 1.0);
    EXPECT_DOUBLE_EQ (wizardProgress, 1.0);
    EXPECT_EQ (statusTexts, juce::StringArray ({ "Upgrade Progress", "Connecting...", "Erasing...", "Installing...", "Resetting..." }));
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (MidiInputHandlerTest, TheConnectFrameTravelsAsTheNoteOnsOfItsBytesAfterThePrelude)
{
    ASSERT_TRUE (flash (image (512)).wasOk());

    std::vector<Bytes> expected{ { 0xEF, 0x7F, 0x7F } };

    for (int i = 0; i < 10; ++i)
        expected.push_back ({ 0x9F, 0x05, 0x05 });

    for (const auto& message : std::vector<Bytes>{ { 0x9F, 0x01, 0x0D },
                                                   { 0x9F, 0x00, 0x03 },
                                                   { 0x9F, 0x00, 0x00 },
                                                   { 0x9F, 0x04, 0x09 },
                                                   { 0x9F, 0x07, 0x0F },
                                                   { 0x9F, 0x00, 0x00 },
                                                   { 0x9F, 0x03, 0x0A } })
        expected.push_back (message);

    const auto received = device.receivedMessages();
    ASSERT_GE (received.size(), expected.size());
    EXPECT_EQ (std::vector<Bytes> (received.begin(), received.begin() + static_cast<std::ptrdiff_t> (expected.size())), expected);

    // Prelude and frame for connect, erase and reset; the one block has no prelude.
    EXPECT_EQ (received.size(), 3u * 18u + 530u);
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0 }));
}

TEST_F (MidiInputHandlerTest, AnAcknowledgementThatComesBeforeTheBlocksLastByteIsNotLost)
{
    device.acknowledgeBlockEarly (0);
    device.acknowledgeBlockEarly (1);
    ShortPolls polls{ ports };

    const auto result = flash (image (1024));

    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1 }));
}

TEST_F (MidiInputHandlerTest, ClockAndActiveSensingBetweenTheRepliesAreIgnored)
{
    device.sendForeignBytesBeforeReplies (true);
    EXPECT_TRUE (flash (image (1500)).wasOk());
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1, 2 }));
}

TEST_F (MidiInputHandlerTest, ALateAcknowledgementIsWaitedFor)
{
    device.answerBlock (0, Answer::acknowledge, 150);
    EXPECT_TRUE (flash (image (512)).wasOk());
}

//==============================================================================
TEST_F (MidiInputHandlerTest, ADroppedAcknowledgementEndsTheRunWithoutAReset)
{
    device.answerBlock (1, Answer::drop);
    ShortPolls polls{ ports };

    EXPECT_EQ (flash (image (2048)).getErrorMessage(), "Could not write new firmware");
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1 }));
    EXPECT_GE (polls.polls, 300) << "150 polls, then 150 more";
    EXPECT_LT (polls.polls, 300 + ShortPolls::slack);
    EXPECT_EQ (device.receivedFrames().size(), 4u) << "connect, erase, two blocks, no reset";
    EXPECT_FALSE (anyFlagRaised());
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (MidiInputHandlerTest, AnErrorNoteOnABlockDoesNotEndItsWait)
{
    // Only the acknowledgement ends a block's wait: an error note and then the acknowledgement
    // go on with the next block; an error note alone waits out both rounds of polls.
    device.answerBlock (1, Answer::reportErrorThenAcknowledge);
    {
        const auto result = flash (image (2048));
        EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
        EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1, 2, 3 }));
    }

    device.answerBlock (1, Answer::reportError);
    ShortPolls polls{ ports };
    EXPECT_EQ (flash (image (2048)).getErrorMessage(), "Could not write new firmware");
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0, 1, 2, 3, 0, 1 }));
    EXPECT_GE (polls.polls, 300);
}

TEST_F (MidiInputHandlerTest, ASilentDeviceCannotBeConnectedButASilentEraseGoesOn)
{
    {
        device.answerFrame (0x7F, Answer::drop);
        ShortPolls polls{ ports };
        EXPECT_EQ (flash (image (512)).getErrorMessage(), "Could not connect to hardware");
        EXPECT_EQ (device.receivedFrames().size(), 1u);
        EXPECT_EQ (polls.polls, 150);
    }

    device.answerFrame (0x7F, Answer::acknowledge);
    device.answerFrame (0x00, Answer::drop);
    ShortPolls polls{ ports };
    EXPECT_TRUE (flash (image (512)).wasOk());
    EXPECT_EQ (device.blockCounters(), (std::vector<int>{ 0 }));
}

TEST_F (MidiInputHandlerTest, AResetTheDeviceRefusesNeedsAPowerCycleAndASilentResetIsFine)
{
    device.answerFrame (0x02, Answer::reportError);
    EXPECT_EQ (flash (image (512)).getErrorMessage(), "OK. But reset failed!");
    EXPECT_FALSE (anyFlagRaised());

    device.answerFrame (0x02, Answer::drop);
    ShortPolls polls{ ports };
    EXPECT_TRUE (flash (image (512)).wasOk());
    EXPECT_GE (polls.polls, 150);
    EXPECT_LT (polls.polls, 150 + ShortPolls::slack);
}

TEST_F (MidiInputHandlerTest, FirmwareSizesTheDeviceCannotTakeAreRefusedBeforeAnythingIsSent)
{
    for (const auto size : { 0, 1, 511, 2097152 })
    {
        EXPECT_EQ (flash (Bytes (static_cast<size_t> (size), 0x11)).getErrorMessage(), "Firmware exception!") << size;
        EXPECT_TRUE (device.receivedMessages().empty()) << size;
    }

    handler.openDevice (device.getPortName());
    handler.loadFirmwareFile (folder.getChildFile ("missing.bin"));
    EXPECT_EQ (handler.writeFirmwareOverMidi().getErrorMessage(), "Firmware exception!");
    EXPECT_TRUE (device.receivedMessages().empty());
}

//==============================================================================
TEST_F (MidiInputHandlerTest, EitherSideMissingIsReportedAndEveryOpenedPortIsClosedAgain)
{
    SimulatedUpgradeDevice outputOnly (ports, "Talvor firmware upgrade 2", false);
    handler.openDevice (outputOnly.getPortName());
    EXPECT_FALSE (handler.isOpen());
    EXPECT_EQ (ports.getOpenPortCount(), 1);
    EXPECT_EQ (handler.writeFirmwareOverMidi().getErrorMessage(), "No MIDI input device is open");
    handler.close();
    EXPECT_EQ (ports.getOpenPortCount(), 0) << "an output opened without its input is released too";
    EXPECT_NE (ports.openOutput (outputOnly.getPortName()), nullptr);

    ports.addInput ("Input only");
    handler.openDevice ("input ONLY");
    EXPECT_EQ (ports.getOpenPortCount(), 1) << "the input is found ignoring case";
    EXPECT_EQ (handler.writeFirmwareOverMidi().getErrorMessage(), "No MIDI output device is open");

    handler.openDevice (device.getPortName());
    EXPECT_TRUE (handler.isOpen());
    EXPECT_EQ (ports.getOpenPortCount(), 2) << "opening closes what was open";
    handler.close();
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST_F (MidiInputHandlerTest, TheOutputIsMatchedExactly)
{
    handler.openDevice (device.getPortName().toUpperCase());
    EXPECT_FALSE (handler.isOpen());
    handler.close();
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}
} // namespace
