#pragma once

#include "platform/MidiPortBackend.h"

#include <atomic>
#include <memory>

namespace talvor
{
/** The MIDI back-end of the upgrader: a device's upgrade-mode port, its firmware, the flashing
    protocol, and the input callback that raises the reply flags.

    Everything but handleIncomingMidiMessage runs on the message thread; the callback runs on the
    MIDI input thread and only stores single bytes into the reply flags. Progress and the status
    line go to the wizard state. */
class MidiInputHandler final : public MidiInputListener
{
public:
    /** For the product the wizard works on; its id chooses the erase frame's byte. Clears the
        reply flags. */
    explicit MidiInputHandler (int productId);
    ~MidiInputHandler() override;

    MidiInputHandler (const MidiInputHandler&) = delete;
    MidiInputHandler& operator= (const MidiInputHandler&) = delete;

    /** Closes what is open, then opens the input whose name equals the given one ignoring case
        and the output whose name equals it exactly; a side that is not found stays closed. */
    void openDevice (const juce::String& portName);

    /** True when both the input and the output are open. */
    bool isOpen() const noexcept;

    /** Stops listening and releases the input and the output, each whether or not the other is open. */
    void close();

    /** Takes a firmware file. One that cannot be read, or too large to be flashed, is refused
        by writeFirmwareOverMidi. */
    void loadFirmwareFile (const juce::File& file);

    /** Flashes the loaded firmware: connect, erase, the blocks with their acknowledgements,
        reset. Fails with the text the user sees; "OK. But reset failed!" is a written firmware
        whose device needs a power cycle. */
    juce::Result writeFirmwareOverMidi();

    void handleIncomingMidiMessage (const juce::MidiMessage& message) override;

private:
    bool waitForFlag (const std::atomic<juce::uint8>& flag, int polls, bool stopOnDeviceError);
    void sendBlock (const std::vector<juce::uint8>& block);

    const int productId;
    std::unique_ptr<MidiInputPort> input;
    std::unique_ptr<MidiOutputPort> output;
    std::atomic<bool> paused{ false };
    juce::File firmwareFile;
    std::unique_ptr<juce::uint8[]> firmware;
    juce::int64 firmwareSize = 0;
    int pacingCounter = 0;
};
} // namespace talvor
