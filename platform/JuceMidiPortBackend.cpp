#include "platform/JuceMidiPortBackend.h"

#include <juce_audio_devices/juce_audio_devices.h>

#if JUCE_LINUX
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#endif

namespace talvor
{
namespace
{
#if JUCE_LINUX
/** The ALSA library prints its error each time the sequencer device cannot be opened, which the
    device watch asks for twice a second. Said once here, plainly; any other error as ALSA says it. */
void reportAlsaError (const char* file, int line, const char* function, int error, const char* format, ...)
{
    static std::atomic<bool> sequencerReported{ false };

    if (function != nullptr && std::strcmp (function, "snd_seq_hw_open") == 0)
    {
        if (! sequencerReported.exchange (true))
            std::fprintf (stderr,
                          "MIDI: the ALSA sequencer cannot be opened (%s), so no MIDI ports are listed; "
                          "the program keeps looking for them.\n",
                          std::strerror (error < 0 ? -error : error));
        return;
    }

    std::fprintf (stderr, "ALSA lib %s:%i:(%s) ", file != nullptr ? file : "", line, function != nullptr ? function : "");
    va_list arguments;
    va_start (arguments, format);
    std::vfprintf (stderr, format, arguments);
    va_end (arguments);
    std::fprintf (stderr, error != 0 ? ": %s\n" : "\n", snd_strerror (error));
}

void quietenAlsaErrors() { [[maybe_unused]] static const auto installed = snd_lib_error_set_handler (reportAlsaError); }
#else
void quietenAlsaErrors() {}
#endif

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

juce::StringArray JuceMidiPortBackend::getOutputNames()
{
    quietenAlsaErrors();
    return namesOf (juce::MidiOutput::getAvailableDevices());
}

juce::StringArray JuceMidiPortBackend::getInputNames()
{
    quietenAlsaErrors();
    return namesOf (juce::MidiInput::getAvailableDevices());
}

std::unique_ptr<MidiOutputPort> JuceMidiPortBackend::openOutput (const juce::String& name)
{
    quietenAlsaErrors();
    const auto devices = juce::MidiOutput::getAvailableDevices();

    if (const auto* device = findByName (devices, name))
        if (auto output = juce::MidiOutput::openDevice (device->identifier))
            return std::make_unique<JuceOutputPort> (std::move (output));

    return nullptr;
}

std::unique_ptr<MidiInputPort> JuceMidiPortBackend::openInput (const juce::String& name, MidiInputListener& listener)
{
    quietenAlsaErrors();
    const auto devices = juce::MidiInput::getAvailableDevices();

    if (const auto* device = findByName (devices, name))
        if (auto input = std::make_unique<JuceInputPort> (*device, listener); input->openedOk())
            return input;

    return nullptr;
}
} // namespace talvor
