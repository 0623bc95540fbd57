#pragma once

#include "platform/MidiPortBackend.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace talvor
{
/** MIDI ports that live inside the process. Tests create a device's ports here and install the
    backend with ScopedMidiPortBackend; the system then finds, opens and uses them as it would
    the machine's own. What the system sends to an output reaches the device's receiver at once,
    on the sender's thread. What the device sends through an input reaches the system's listeners
    on that input's own delivery thread, as a system MIDI input thread would deliver it. */
class VirtualMidiPortBackend final : public MidiPortBackend
{
public:
    using DeviceReceiver = std::function<void (const juce::MidiMessage&)>;

    /** The device side of an input port of the system. */
    class InputSource
    {
    public:
        virtual ~InputSource() = default;
        virtual juce::String getName() const = 0;

        /** Queues a message for delivery, after the given delay; messages with equal due times
            are delivered in the order they were sent. Dropped once the port was removed. */
        virtual void send (const juce::MidiMessage& message, int delayMs = 0) = 0;

        /** True when nothing is queued and no delivery is under way. */
        virtual bool isIdle() const = 0;
    };

    VirtualMidiPortBackend();
    ~VirtualMidiPortBackend() override;

    /** Adds an output port of the system; what the system sends to it goes to the receiver. */
    void addOutput (const juce::String& name, DeviceReceiver receiver);

    /** Adds an input port of the system and returns the device's side of it. */
    std::shared_ptr<InputSource> addInput (const juce::String& name);

    /** Removes a port as if its device were unplugged: it leaves the lists, open handles go
        quiet (sends are dropped, nothing more is delivered). Removes the first port of that name. */
    void removeOutput (const juce::String& name);
    void removeInput (const juce::String& name);
    void removeAll();

    /** With exclusive opens, as on Windows, a port that is open cannot be opened a second time
        until its handle is closed. Off by default: any number of handles may share a port. */
    void setExclusiveOpens (bool exclusive);

    /** The handles of this backend's ports that are open now, inputs and outputs together. */
    int getOpenPortCount() const;

    /** Waits until every message that was due when this was called has reached the listeners of
        its input, or the time limit has passed; returns whether they all did. Messages sent with a
        delay that is not over yet are not waited for. Tests call it after each slice of a wait, so
        that on a loaded machine a device that answers at once is never taken for one that answers
        late: only the delays a test asks for make an answer late. */
    bool waitForDueDeliveries (int limitMs = 5000);

    juce::StringArray getOutputNames() override;
    juce::StringArray getInputNames() override;
    std::unique_ptr<MidiOutputPort> openOutput (const juce::String& name) override;
    std::unique_ptr<MidiInputPort> openInput (const juce::String& name, MidiInputListener& listener) override;

    class OutputEndpoint;
    class InputEndpoint;

    /** Counts the open handles of one port and of the whole backend; ports hold a share of it. */
    struct HandleCount
    {
        std::atomic<int> open{ 0 };
    };

private:
    std::mutex lock;
    bool exclusiveOpens = false;
    std::shared_ptr<HandleCount> openHandles = std::make_shared<HandleCount>();
    std::vector<std::shared_ptr<OutputEndpoint>> outputs;
    std::vector<std::shared_ptr<InputEndpoint>> inputs;
};
} // namespace talvor
