#pragma once

#include "platform/MidiPortBackend.h"

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

    juce::StringArray getOutputNames() override;
    juce::StringArray getInputNames() override;
    std::unique_ptr<MidiOutputPort> openOutput (const juce::String& name) override;
    std::unique_ptr<MidiInputPort> openInput (const juce::String& name, MidiInputListener& listener) override;

    class OutputEndpoint;
    class InputEndpoint;

private:
    std::mutex lock;
    std::vector<std::shared_ptr<OutputEndpoint>> outputs;
    std::vector<std::shared_ptr<InputEndpoint>> inputs;
};
} // namespace talvor
