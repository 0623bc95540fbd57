#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <memory>

namespace talvor
{
/** Receives the messages of an open MIDI input. Called on the input's own thread (the system's
    MIDI input thread, or a virtual port's delivery thread), never on the message thread. */
class MidiInputListener
{
public:
    virtual ~MidiInputListener() = default;
    virtual void handleIncomingMidiMessage (const juce::MidiMessage& message) = 0;
};

/** An open MIDI output; closed when destroyed. */
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;
    virtual juce::String getName() const = 0;
    virtual void sendMessageNow (const juce::MidiMessage& message) = 0;
};

/** An open MIDI input. Delivers nothing until started; once stop() or the destructor has
    returned, its listener is never called again, so the listener may then be deleted. */
class MidiInputPort
{
public:
    virtual ~MidiInputPort() = default;
    virtual juce::String getName() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

/** Lists and opens the MIDI ports of the machine. A port's place in its list is what the
    system calls its device index. */
class MidiPortBackend
{
public:
    virtual ~MidiPortBackend() = default;

    virtual juce::StringArray getOutputNames() = 0;
    virtual juce::StringArray getInputNames() = 0;

    /** Opens the first output whose name equals the given one exactly; null when there is none
        or it cannot be opened. */
    virtual std::unique_ptr<MidiOutputPort> openOutput (const juce::String& name) = 0;

    /** Opens the first input whose name equals the given one exactly, with its listener, which
        must outlive the returned port; null when there is none or it cannot be opened. */
    virtual std::unique_ptr<MidiInputPort> openInput (const juce::String& name, MidiInputListener& listener) = 0;
};

/** The backend the program uses: the system's MIDI ports unless another one was installed. */
MidiPortBackend& midiPortBackend();

/** Installs a backend for the lifetime of the object (tests use the virtual one), then restores
    the previous. Only on the message thread, while no port of the previous backend is in use. */
class ScopedMidiPortBackend
{
public:
    explicit ScopedMidiPortBackend (MidiPortBackend& backend);

private:
    juce::ScopedValueSetter<MidiPortBackend*> setter;
};
} // namespace talvor
