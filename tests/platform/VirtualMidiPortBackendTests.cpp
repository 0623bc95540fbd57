#include "platform/JuceMidiPortBackend.h"
#include "platform/MessageLoopWait.h"
#include "platform/VirtualMidiPortBackend.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
using talvor::VirtualMidiPortBackend;

class RecordingListener final : public talvor::MidiInputListener
{
public:
    void handleIncomingMidiMessage (const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> guard (lock);
        received.push_back (message);
        onMessageThread.push_back (juce::MessageManager::getInstance()->isThisTheMessageThread());
        threads.push_back (std::this_thread::get_id());
    }

    std::vector<juce::MidiMessage> messages()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return received;
    }

    std::vector<bool> deliveredOnMessageThread()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return onMessageThread;
    }

private:
    std::mutex lock;
    std::vector<juce::MidiMessage> received;
    std::vector<bool> onMessageThread;
    std::vector<std::thread::id> threads;
};

// Polls the way the program's transfers do: the message loop keeps running meanwhile. The time is
// a hang guard, generous for a loaded machine: nothing waits for it to pass.
bool waitUntil (const std::function<bool()>& condition, int timeoutMs = 20000)
{
    for (int waited = 0; waited < timeoutMs; waited += 5)
    {
        if (condition())
            return true;

        talvor::waitMs (5);
    }

    return condition();
}

bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() && std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}

TEST (VirtualMidiPortBackend, ListsPortsInTheOrderTheyWereAdded)
{
    VirtualMidiPortBackend ports;
    ports.addOutput ("MIDIOUT2 (Orvel-A)", nullptr);
    ports.addOutput ("MIDIOUT4 (Orvel-A)", nullptr);
    ports.addInput ("MIDIIN4 (Orvel-A)");

    EXPECT_EQ (ports.getOutputNames(), juce::StringArray ({ "MIDIOUT2 (Orvel-A)", "MIDIOUT4 (Orvel-A)" }));
    EXPECT_EQ (ports.getInputNames(), juce::StringArray ({ "MIDIIN4 (Orvel-A)" }));
}

TEST (VirtualMidiPortBackend, OutputsOpenByExactNameAndReachTheDevice)
{
    VirtualMidiPortBackend ports;
    std::vector<juce::MidiMessage> deviceReceived;
    ports.addOutput ("Orvel-A 4", [&] (const juce::MidiMessage& m) { deviceReceived.push_back (m); });

    EXPECT_EQ (ports.openOutput ("orvel-a 4"), nullptr);
    EXPECT_EQ (ports.openOutput ("Orvel-A"), nullptr);

    auto output = ports.openOutput ("Orvel-A 4");
    ASSERT_NE (output, nullptr);
    EXPECT_EQ (output->getName(), "Orvel-A 4");

    const juce::uint8 sysex[] = { 0xf0, 0x00, 0x21, 0x7f, 0x01, 0xf7 };
    output->sendMessageNow (juce::MidiMessage (sysex, sizeof (sysex)));
    output->sendMessageNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));

    ASSERT_EQ (deviceReceived.size(), 2u);
    EXPECT_TRUE (sameBytes (deviceReceived[0], juce::MidiMessage (sysex, sizeof (sysex))));
    EXPECT_TRUE (deviceReceived[1].isNoteOn());
}

TEST (VirtualMidiPortBackend, InputsDeliverInOrderOnTheirOwnThreadOnceStarted)
{
    VirtualMidiPortBackend ports;
    auto source = ports.addInput ("Orvel-A 4");
    RecordingListener listener;

    auto input = ports.openInput ("Orvel-A 4", listener);
    ASSERT_NE (input, nullptr);

    source->send (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    ASSERT_TRUE (waitUntil ([&] { return source->isIdle(); }));
    EXPECT_TRUE (listener.messages().empty()) << "nothing arrives before start()";

    input->start();

    for (int note = 10; note < 20; ++note)
        source->send (juce::MidiMessage::noteOn (1, note, (juce::uint8) 1));

    ASSERT_TRUE (waitUntil ([&] { return listener.messages().size() == 10; }));
    const auto received = listener.messages();

    for (int i = 0; i < 10; ++i)
        EXPECT_EQ (received[(size_t) i].getNoteNumber(), 10 + i);

    for (auto onMessageThread : listener.deliveredOnMessageThread())
        EXPECT_FALSE (onMessageThread);
}

TEST (VirtualMidiPortBackend, DelayedMessagesArriveAfterImmediateOnes)
{
    VirtualMidiPortBackend ports;
    auto source = ports.addInput ("in");
    RecordingListener listener;
    auto input = ports.openInput ("in", listener);
    input->start();

    source->send (juce::MidiMessage::noteOn (1, 2, (juce::uint8) 1), 60);
    source->send (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));

    ASSERT_TRUE (waitUntil ([&] { return listener.messages().size() == 2; }));
    EXPECT_EQ (listener.messages()[0].getNoteNumber(), 1);
    EXPECT_EQ (listener.messages()[1].getNoteNumber(), 2);
}

TEST (VirtualMidiPortBackend, AStoppedInputNeverCallsItsListenerAgain)
{
    VirtualMidiPortBackend ports;
    auto source = ports.addInput ("in");
    std::atomic<int> calls{ 0 };

    struct SlowListener final : talvor::MidiInputListener
    {
        std::atomic<int>& count;
        explicit SlowListener (std::atomic<int>& c) : count (c) {}
        void handleIncomingMidiMessage (const juce::MidiMessage&) override
        {
            std::this_thread::sleep_for (std::chrono::milliseconds (2));
            ++count;
        }
    };

    auto listener = std::make_unique<SlowListener> (calls);
    auto input = ports.openInput ("in", *listener);
    input->start();

    for (int i = 0; i < 50; ++i)
        source->send (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));

    input->stop();
    const auto callsAtStop = calls.load();
    listener.reset(); // must be safe: stop() waited for any delivery under way
    ASSERT_TRUE (waitUntil ([&] { return source->isIdle(); }));
    EXPECT_EQ (calls.load(), callsAtStop);
}

TEST (VirtualMidiPortBackend, RemovedPortsLeaveTheListsAndOpenHandlesGoQuiet)
{
    VirtualMidiPortBackend ports;
    int deviceReceived = 0;
    ports.addOutput ("out", [&] (const juce::MidiMessage&) { ++deviceReceived; });
    auto source = ports.addInput ("in");
    RecordingListener listener;

    auto output = ports.openOutput ("out");
    auto input = ports.openInput ("in", listener);
    input->start();

    ports.removeOutput ("out");
    ports.removeInput ("in");

    EXPECT_TRUE (ports.getOutputNames().isEmpty());
    EXPECT_TRUE (ports.getInputNames().isEmpty());
    EXPECT_EQ (ports.openOutput ("out"), nullptr);

    output->sendMessageNow (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    source->send (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    talvor::waitMs (20);

    EXPECT_EQ (deviceReceived, 0);
    EXPECT_TRUE (listener.messages().empty());
}

TEST (VirtualMidiPortBackend, ADeviceMayUnplugItselfWhileReceiving)
{
    VirtualMidiPortBackend ports;
    int received = 0;
    ports.addOutput ("out",
                     [&] (const juce::MidiMessage&)
                     {
                         ++received;
                         ports.removeOutput ("out");
                     });

    auto output = ports.openOutput ("out");
    output->sendMessageNow (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    output->sendMessageNow (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    EXPECT_EQ (received, 1);
}

TEST (MidiPortBackend, TheInstalledBackendIsTheOneInUseUntilItsScopeEnds)
{
    VirtualMidiPortBackend ports;
    ports.addOutput ("only here", nullptr);
    {
        talvor::ScopedMidiPortBackend scope (ports);
        EXPECT_EQ (talvor::midiPortBackend().getOutputNames(), juce::StringArray ("only here"));
    }
    EXPECT_NE (&talvor::midiPortBackend(), static_cast<talvor::MidiPortBackend*> (&ports));
}

TEST (JuceMidiPortBackend, AnAbsentPortOpensNothing)
{
    talvor::JuceMidiPortBackend system;
    EXPECT_EQ (system.openOutput ("no such port, ever"), nullptr);
    RecordingListener listener;
    EXPECT_EQ (system.openInput ("no such port, ever", listener), nullptr);
}
} // namespace

namespace
{
TEST (VirtualMidiPortBackend, CountsOpenHandlesUntilTheyAreClosedEvenAfterAnUnplug)
{
    VirtualMidiPortBackend ports;
    ports.addOutput ("Out", {});
    ports.addInput ("In");
    RecordingListener listener;

    auto output = ports.openOutput ("Out");
    auto sharedOutput = ports.openOutput ("Out");
    auto input = ports.openInput ("In", listener);
    EXPECT_EQ (ports.getOpenPortCount(), 3);
    EXPECT_EQ (ports.openOutput ("Absent"), nullptr);
    EXPECT_EQ (ports.getOpenPortCount(), 3);

    sharedOutput.reset();
    ports.removeAll();
    EXPECT_EQ (ports.getOpenPortCount(), 2) << "an unplugged port's handle stays open until closed";

    output.reset();
    input.reset();
    EXPECT_EQ (ports.getOpenPortCount(), 0);
}

TEST (VirtualMidiPortBackend, WithExclusiveOpensAnOpenPortCannotBeOpenedAgainUntilClosed)
{
    VirtualMidiPortBackend ports;
    ports.setExclusiveOpens (true);
    ports.addOutput ("Port", {});
    ports.addInput ("Port");
    RecordingListener first, second;

    auto output = ports.openOutput ("Port");
    auto input = ports.openInput ("Port", first);
    ASSERT_NE (output, nullptr);
    ASSERT_NE (input, nullptr);
    EXPECT_EQ (ports.openOutput ("Port"), nullptr);
    EXPECT_EQ (ports.openInput ("Port", second), nullptr);

    output.reset();
    input.reset();
    EXPECT_NE (ports.openOutput ("Port"), nullptr);
    EXPECT_NE (ports.openInput ("Port", second), nullptr);
}
} // namespace
