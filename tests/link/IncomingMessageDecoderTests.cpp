#include "link/HostMidiInputHandler.h"
#include "link/IncomingMessageDecoder.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using namespace NsOrvelA;
using namespace NsOrvelA::replySlots;
using corvix::testing::SimulatedUnit;

/** Decodes the bytes from a heap block of exactly their size, so that a read past the end is
    caught by the address sanitiser. */
void decode (std::initializer_list<juce::uint8> bytes)
{
    const auto size = bytes.size();
    const auto block = std::make_unique<juce::uint8[]> (size);
    std::copy (bytes.begin(), bytes.end(), block.get());
    decodeIncomingMessage (block.get(), static_cast<int> (size));
}

std::array<int, 8> allReplies()
{
    return { reply24.load(), reply25.load(), reply26.load(), reply27.load(),
             reply2A.load(), reply2C.load(), reply2E.load(), replyStatus.load() };
}

struct Reports
{
    int selectSlot, selectPending, faderSlot, faderPending;
    std::array<int, 3> unlocked;

    bool operator== (const Reports& other) const
    {
        return std::tie (selectSlot, selectPending, faderSlot, faderPending, unlocked)
               == std::tie (other.selectSlot, other.selectPending, other.faderSlot, other.faderPending, other.unlocked);
    }
};

Reports currentReports()
{
    return { reportedSelectSlot.load(),
             slotSelectReportPending.load(),
             reportedFaderSlot.load(),
             faderReportPending.load(),
             { slotFaderUnlocked[0].load(), slotFaderUnlocked[1].load(), slotFaderUnlocked[2].load() } };
}

const std::array<int, 8> noReplies{ -1, -1, -1, -1, -1, -1, -1, -1 };

class IncomingMessageDecoder : public testing::Test
{
protected:
    IncomingMessageDecoder() { corvix::testing::resetProcessWideState(); }
    ~IncomingMessageDecoder() override { corvix::testing::resetProcessWideState(); }
};

TEST_F (IncomingMessageDecoder, SlotSelectReportStoresTheSlotBeforeItsFlag)
{
    decode ({ 0xEC, 0x22, 0x45 });
    EXPECT_EQ (reportedSelectSlot.load(), 2);
    EXPECT_EQ (slotSelectReportPending.load(), 1);

    decode ({ 0xEC, 0x22, 0x1F });
    EXPECT_EQ (reportedSelectSlot.load(), 0) << "slot bits 0 are reported as they are";
    EXPECT_EQ (allReplies(), noReplies);
}

TEST_F (IncomingMessageDecoder, FaderReportMarksItsSlotAndIgnoresSlotsOutsideOneToThree)
{
    slotFaderUnlocked[1] = 0;
    decode ({ 0xEC, 0x23, 0x41 });
    EXPECT_EQ (reportedFaderSlot.load(), 2);
    EXPECT_EQ (slotFaderUnlocked[1].load(), 1);
    EXPECT_EQ (faderReportPending.load(), 1);

    decode ({ 0xEC, 0x23, 0x60 });
    EXPECT_EQ (reportedFaderSlot.load(), 3);
    EXPECT_EQ (slotFaderUnlocked[2].load(), 0);

    // The flag is all five bits below the slot: its highest bit alone unlocks.
    slotFaderUnlocked[0] = 0;
    decode ({ 0xEC, 0x23, 0x30 });
    EXPECT_EQ (reportedFaderSlot.load(), 1);
    EXPECT_EQ (slotFaderUnlocked[0].load(), 1);

    faderReportPending = 0;
    const auto before = currentReports();

    decode ({ 0xEC, 0x23, 0x01 }); // slot 0
    decode ({ 0xEC, 0x23, 0x80 }); // slot 4, with a byte no unit sends
    decode ({ 0xEC, 0x23, 0xE1 }); // slot 7
    EXPECT_EQ (currentReports(), before);
    EXPECT_EQ (allReplies(), noReplies);
}

TEST_F (IncomingMessageDecoder, OtherUnitReportsAreTheStatusReply)
{
    decode ({ 0xEC, 0x10, 0x7F });
    EXPECT_EQ (replyStatus.load(), 0);
    decode ({ 0xEC, 0x10, 0x00 });
    EXPECT_EQ (replyStatus.load(), 1);
    decode ({ 0xEC, 0x2A, 0x7F });
    EXPECT_EQ (replyStatus.load(), 0);
    EXPECT_EQ (reply2A.load(), -1) << "only the note-on acknowledgement fills reply2A";
}

TEST_F (IncomingMessageDecoder, AcknowledgementsFillTheirReplySlots)
{
    decode ({ 0x9A, 0x24, 0x05 });
    EXPECT_EQ (reply24.load(), 5) << "slots 1 and 3 in sync";
    decode ({ 0x9A, 0x24, 0x0F });
    EXPECT_EQ (reply24.load(), 7);

    const std::pair<std::atomic<juce::int8>*, juce::uint8> oneMeansAccepted[] = {
        { &reply25, 0x25 }, { &reply26, 0x26 }, { &reply27, 0x27 }, { &reply2C, 0x2C }, { &reply2E, 0x2E }, { &replyStatus, 0x2F },
    };

    for (const auto& [slot, request] : oneMeansAccepted)
    {
        decode ({ 0x9A, request, 0x01 });
        EXPECT_EQ (slot->load(), 1) << std::hex << int (request);
        decode ({ 0x9A, request, 0x00 });
        EXPECT_EQ (slot->load(), 0) << std::hex << int (request);
        decode ({ 0x9A, request, 0x02 });
        EXPECT_EQ (slot->load(), 0) << std::hex << int (request);
    }

    decode ({ 0x9A, 0x2A, 0x00 });
    EXPECT_EQ (reply2A.load(), 1) << "the system setting acknowledges with 0";
    decode ({ 0x9A, 0x2A, 0x01 });
    EXPECT_EQ (reply2A.load(), 0);
}

TEST_F (IncomingMessageDecoder, UnusedNotesAndForeignMessagesChangeNothing)
{
    const auto reports = currentReports();

    for (const juce::uint8 note : { 0x28, 0x29, 0x2B, 0x2D, 0x23, 0x30 })
        decode ({ 0x9A, note, 0x01 });

    decode ({ 0x8A, 0x24, 0x01 }); // note off, channel 11
    decode ({ 0x9B, 0x24, 0x01 }); // note on, channel 12
    decode ({ 0xED, 0x22, 0x40 }); // channel 14
    decode ({ 0xF0, 0x1D, 0x03, 0x10, 0x09, 0x24, 0xF7 });

    EXPECT_EQ (allReplies(), noReplies);
    EXPECT_EQ (currentReports(), reports);
}

TEST_F (IncomingMessageDecoder, ShortMessagesAreNeverReadPastTheirEnd)
{
    const auto reports = currentReports();

    decode ({ 0xEC });
    decode ({ 0xEC, 0x22 });
    decode ({ 0xEC, 0x23 });
    decode ({ 0x9A, 0x24 });
    decode ({ 0x9A });
    decode ({ 0xF8 });
    decodeIncomingMessage (nullptr, 3);

    EXPECT_EQ (allReplies(), noReplies);
    EXPECT_EQ (currentReports(), reports);
}

/** What a unit sends reaches the decoder through the Host's input handler, on its input thread. */
class DecoderThroughTheInputHandler : public corvix::testing::HostTest
{
};

TEST_F (DecoderThroughTheInputHandler, ReportsAndRepliesOfAUnitArriveInTheSharedState)
{
    SimulatedUnit unit (ports, {});
    auto& handler = host->replaceMidiHandler();
    handler.openDevice (unit.inputName (4));
    ASSERT_TRUE (handler.isOpen());

    unit.reportFaderState (2, false);
    unit.sendRaw ({ 0x9A, 0x24, 0x06 });
    ASSERT_TRUE (corvix::testing::waitUntil ([] { return reply24.load() == 6; }));
    EXPECT_EQ (faderReportPending.load (std::memory_order_acquire), 1);
    EXPECT_EQ (reportedFaderSlot.load(), 2);
    EXPECT_EQ (slotFaderUnlocked[1].load(), 0);

    // JUCE's own short messages go through the handler untouched.
    handler.handleIncomingMidiMessage (juce::MidiMessage (0xEC, 0x22));
    handler.handleIncomingMidiMessage (juce::MidiMessage::midiClock());
    EXPECT_EQ (slotSelectReportPending.load(), 0);
}
} // namespace
