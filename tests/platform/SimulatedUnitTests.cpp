#include "platform/MessageLoopWait.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <mutex>

// The simulated unit is the other end of every protocol test; these check that it keeps to
// the units' side of the conversation.
namespace
{
using corvix::testing::SimulatedUnit;

class CollectingListener final : public talvor::MidiInputListener
{
public:
    void handleIncomingMidiMessage (const juce::MidiMessage& m) override
    {
        const std::lock_guard<std::mutex> guard (lock);
        messages.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
    }

    std::vector<std::vector<juce::uint8>> take()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return std::exchange (messages, {});
    }

private:
    std::mutex lock;
    std::vector<std::vector<juce::uint8>> messages;
};

juce::MidiMessage bytes (std::vector<juce::uint8> b) { return juce::MidiMessage (b.data(), (int) b.size()); }

std::vector<juce::uint8> request (int address, juce::uint8 command, std::vector<juce::uint8> body)
{
    // Built byte by byte: g++ 12 misreads a vector insert at -O3 as out of bounds.
    std::vector<juce::uint8> b;
    b.reserve (body.size() + 7);

    for (auto header : { 0xF0, 0x1D, 0x03, address >> 7, address & 0x7F, (int) command })
        b.push_back ((juce::uint8) header);

    for (auto byte : body)
        b.push_back (byte);

    b.push_back (0xF7);
    return b;
}

class SimulatedUnitTest : public testing::Test
{
protected:
    talvor::VirtualMidiPortBackend ports;
    SimulatedUnit unit{ ports, {} };
    CollectingListener listener;
    std::unique_ptr<talvor::MidiInputPort> input = ports.openInput ("Orvel-A 4", listener);
    std::unique_ptr<talvor::MidiOutputPort> output = ports.openOutput ("Orvel-A 4");

    void SetUp() override { input->start(); }

    std::vector<std::vector<juce::uint8>> settle()
    {
        for (int i = 0; i < 200 && ! unit.repliesDelivered(); ++i)
            talvor::waitMs (2);

        return listener.take();
    }
};

TEST_F (SimulatedUnitTest, NamesItsPortPairs)
{
    EXPECT_EQ (ports.getOutputNames(), juce::StringArray ({ "Orvel-A 1", "Orvel-A 2", "Orvel-A 3", "Orvel-A 4" }));

    talvor::VirtualMidiPortBackend windowsPorts;
    SimulatedUnit extender (windowsPorts, { 2075, "Orvel-B4", 4, SimulatedUnit::PortNaming::windowsPairs });
    EXPECT_EQ (windowsPorts.getOutputNames()[3], "MIDIOUT4 (Orvel-B4)");
    EXPECT_EQ (windowsPorts.getInputNames()[3], "MIDIIN4 (Orvel-B4)");
}

TEST_F (SimulatedUnitTest, AcknowledgesAndKeepsATableBlockAndStoresSignaturesOnClosing)
{
    std::vector<juce::uint8> body{ 0x45, 0x07, 0x08 };
    for (int i = 0; i < 224; ++i)
        body.push_back ((juce::uint8) (i & 0x7F));

    output->sendMessageNow (bytes (request (2057, 0x25, body)));
    EXPECT_EQ (settle(), (std::vector<std::vector<juce::uint8>>{ { 0x9A, 0x25, 0x01 } }));
    EXPECT_TRUE (unit.slot (2).blocksReceived[7]);
    EXPECT_EQ (unit.slot (2).table[1568 + 5], 5);

    const std::vector<juce::uint8> signatures{ 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    output->sendMessageNow (bytes (request (2057, 0x24, signatures)));
    EXPECT_EQ (settle()[0], (std::vector<juce::uint8>{ 0x9A, 0x24, 0x00 })) << "nothing stored yet: no slot in sync";

    output->sendMessageNow (bytes (request (2057, 0x27, signatures)));
    output->sendMessageNow (bytes (request (2057, 0x24, { 1, 2, 3, 0, 0, 0, 7, 8, 9 })));
    const auto replies = settle();
    ASSERT_EQ (replies.size(), 2u);
    EXPECT_EQ (replies[1], (std::vector<juce::uint8>{ 0x9A, 0x24, 0x05 })) << "slots 1 and 3 in sync";
}

TEST_F (SimulatedUnitTest, IgnoresRequestsForOtherUnitsAndCanRefuseOrStaySilent)
{
    output->sendMessageNow (bytes (request (2058, 0x2E, { 0x21, 0x00 })));
    EXPECT_TRUE (settle().empty());

    unit.refuse (0x2E);
    output->sendMessageNow (bytes (request (2057, 0x2E, { 0x21, 0x00 })));
    EXPECT_EQ (settle(), (std::vector<std::vector<juce::uint8>>{ { 0x9A, 0x2E, 0x00 } }));

    unit.setSilent (true);
    output->sendMessageNow (bytes (request (2057, 0x2E, { 0x21, 0x00 })));
    EXPECT_TRUE (settle().empty());
    EXPECT_EQ (unit.receivedCommands().size(), 3u);
}

TEST_F (SimulatedUnitTest, VanishesAfterTheGivenNumberOfMessages)
{
    unit.vanishAfter (2);
    output->sendMessageNow (bytes ({ 0xEF, 0x7F, 0x7F }));
    EXPECT_TRUE (unit.isPlugged());
    output->sendMessageNow (bytes ({ 0xEF, 0x7F, 0x7F }));
    EXPECT_FALSE (unit.isPlugged());
    EXPECT_TRUE (ports.getOutputNames().isEmpty());
    output->sendMessageNow (bytes ({ 0xEF, 0x7F, 0x7F }));
    EXPECT_EQ (unit.received().size(), 2u);
}
} // namespace
