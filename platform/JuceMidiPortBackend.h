#pragma once

#include "platform/MidiPortBackend.h"

namespace talvor
{
/** The machine's MIDI ports through JUCE (ALSA on Linux, WinMM on Windows). */
class JuceMidiPortBackend final : public MidiPortBackend
{
public:
    juce::StringArray getOutputNames() override;
    juce::StringArray getInputNames() override;
    std::unique_ptr<MidiOutputPort> openOutput (const juce::String& name) override;
    std::unique_ptr<MidiInputPort> openInput (const juce::String& name, MidiInputListener& listener) override;
};
} // namespace talvor
