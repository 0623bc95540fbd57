#include "platform/JuceMidiPortBackend.h"

#include <juce_audio_devices/juce_audio_devices.h>

namespace talvor
{
namespace
{
juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name);

    return names;
}

const juce::MidiDeviceInfo* findByName (const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& name)
{
    for (const auto& device : devices)
        if (device.name == name)
            return &device;

    return nullptr;
}

class JuceOutputPort final : public MidiOutputPort
{
public:
    explicit JuceOutputPort (std::unique_ptr<juce::MidiOutput> outputToUse) : output (std::move (outputToUse)) {}

    juce::String getName() const override { return output->getName(); }
    void sendMessageNow (const juce::MidiMessage& message) override { output->sendMessageNow (message); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};

class JuceInputPort final : public MidiInputPort, private juce::MidiInputCallback
{
public:
    JuceInputPort (const juce::MidiDeviceInfo& device, MidiInputListener& listenerToUse)
        : listener (listenerToUse), input (juce::MidiInput::openDevice (device.identifier, this))
    {
    }

    ~JuceInputPort() override { stop(); }

    bool openedOk() const noexcept { return input != nullptr; }

    juce::String getName() const override { return input->getName(); }
    void start() override { input->start(); }
    void stop() override { input->stop(); }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        listener.handleIncomingMidiMessage (message);
    }

    MidiInputListener& listener;
    std::unique_ptr<juce::MidiInput> input;
};
} // namespace

juce::StringArray JuceMidiPortBackend::getOutputNames() { return namesOf (juce::MidiOutput::getAvailableDevices()); }

juce::StringArray JuceMidiPortBackend::getInputNames() { return namesOf (juce::MidiInput::getAvailableDevices()); }

std::unique_ptr<MidiOutputPort> JuceMidiPortBackend::openOutput (const juce::String& name)
{
    const auto devices = juce::MidiOutput::getAvailableDevices();

    if (const auto* device = findByName (devices, name))
        if (auto output = juce::MidiOutput::openDevice (device->identifier))
            return std::make_unique<JuceOutputPort> (std::move (output));

    return nullptr;
}

std::unique_ptr<MidiInputPort> JuceMidiPortBackend::openInput (const juce::String& name, MidiInputListener& listener)
{
    const auto devices = juce::MidiInput::getAvailableDevices();

    if (const auto* device = findByName (devices, name))
        if (auto input = std::make_unique<JuceInputPort> (*device, listener); input->openedOk())
            return input;

    return nullptr;
}
} // namespace talvor
