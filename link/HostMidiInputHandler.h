#pragma once

#include "link/Host.h"
#include "platform/MidiPortBackend.h"

namespace NsOrvelA
{
/** The connection to one unit's port pair. Its callback decodes what the unit sends into the
    reply slots and reports, on the MIDI input thread. At most one exists at a time: the Host
    replaces it on every timer tick and every upload, which closes the previous ports. */
class Host::MidiInputHandler final : public talvor::MidiInputListener
{
public:
    /** Starts with no ports, and with every reply slot reset. */
    MidiInputHandler();
    ~MidiInputHandler() override;

    /** Opens the output and the input of a port pair; either member of a Windows pair may be
        named. A name in neither list opens nothing. */
    void openDevice (const juce::String& portName);

    /** Closes both ports; the input is stopped before it is released. */
    void close();

    /** True when both the output and the input are open. */
    bool isOpen() const noexcept;

    void handleIncomingMidiMessage (const juce::MidiMessage& message) override;

private:
    std::unique_ptr<talvor::MidiOutputPort> output;
    std::unique_ptr<talvor::MidiInputPort> input;

    JUCE_DECLARE_NON_COPYABLE (MidiInputHandler)
};
} // namespace NsOrvelA
