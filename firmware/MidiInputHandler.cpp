#include "firmware/MidiInputHandler.h"

#include "firmware/FirmwareSizes.h"
#include "firmware/UpgradeFrames.h"
#include "firmware/UpgradeReplyFlags.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPacing.h"

namespace talvor
{
namespace
{
constexpr int pollIntervalMs = 33;
constexpr int pollsPerWait = 150;
constexpr int upgradePhase = 4;

/** Positions of the progress before the blocks: connecting, erasing, installing. */
constexpr int stagesBeforeBlocks = 3;
} // namespace

MidiInputHandler::MidiInputHandler (int productIdToUse) : productId (productIdToUse) { clearReplyFlags(); }

MidiInputHandler::~MidiInputHandler() { close(); }

void MidiInputHandler::openDevice (const juce::String& portName)
{
    close();
    auto& ports = midiPortBackend();

    for (const auto& name : ports.getInputNames())
    {
        if (name.equalsIgnoreCase (portName))
        {
            input = ports.openInput (name, *this);
            break;
        }
    }

    output = ports.openOutput (portName);

    if (input != nullptr)
    {
        paused = false;
        input->start();
    }
}

bool MidiInputHandler::isOpen() const noexcept { return input != nullptr && output != nullptr; }

void MidiInputHandler::close()
{
    paused = true;

    // Each side on its own: a device opened for sending only must not keep its output, which
    // another program or the next step could then not open where ports are exclusive.
    if (input != nullptr)
    {
        input->stop();
        input.reset();
    }

    output.reset();
}

void MidiInputHandler::loadFirmwareFile (const juce::File& file)
{
    firmware.reset();
    firmwareSize = 0;
    firmwareFile = file;

    // A file too large to be flashed is refused without reading it whole.
    if (file.getSize() > largestMidiFirmwareSize)
    {
        firmwareSize = file.getSize();
        return;
    }

    juce::MemoryBlock bytes;
    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        return;

    stream.readIntoMemoryBlock (bytes);
    firmwareSize = static_cast<juce::int64> (bytes.getSize());
    firmware = std::make_unique<juce::uint8[]> (bytes.getSize());
    std::memcpy (firmware.get(), bytes.getData(), bytes.getSize());
}

bool MidiInputHandler::waitForFlag (const std::atomic<juce::uint8>& flag, int polls, bool stopOnDeviceError)
{
    for (int poll = 0; poll < polls; ++poll)
    {
        if (flag.load() != 0)
            return true;

        if (stopOnDeviceError && upgradeReplyFlags.deviceErrorReported.load() != 0)
            return false;

        waitMs (pollIntervalMs);
    }

    return flag.load() != 0;
}

void MidiInputHandler::sendBlock (const std::vector<juce::uint8>& block)
{
    for (const auto byte : block)
    {
        output->sendMessageNow (encodeUpgradeByte (byte));
        pacedMessageWait (pacingCounter, 2, 1);
    }
}

juce::Result MidiInputHandler::writeFirmwareOverMidi()
{
    if (input == nullptr)
        return juce::Result::fail ("No MIDI input device is open");

    if (output == nullptr)
        return juce::Result::fail ("No MIDI output device is open");

    clearReplyFlags();

    if (firmware == nullptr || firmwareSize < smallestFirmwareSize || firmwareSize > largestMidiFirmwareSize)
        return juce::Result::fail (firmwareSizeRefusedText);

    pacingCounter = 0;
    const auto progressTotal = firmwareSize + stagesBeforeBlocks;
    auto& flags = upgradeReplyFlags;

    setWizardProgress (upgradePhase, 0, progressTotal);
    setWizardStatusText ("Connecting...");
    sendUpgradeFrame (*output, connectFrame(), pacingCounter);

    if (! waitForFlag (flags.connectAcknowledged, pollsPerWait, false))
    {
        clearReplyFlags();
        return juce::Result::fail ("Could not connect to hardware");
    }

    waitMs (0);
    setWizardProgress (upgradePhase, 1, progressTotal);
    setWizardStatusText ("Erasing...");
    sendUpgradeFrame (*output, eraseFrame (productId), pacingCounter);

    // A device that does not acknowledge the erase may still take the blocks.
    if (! waitForFlag (flags.eraseAcknowledged, pollsPerWait, false))
        clearReplyFlags();

    waitMs (0);
    setWizardProgress (upgradePhase, 2, progressTotal);
    setWizardStatusText ("Installing...");

    juce::uint8 counter = 0;
    const auto size = static_cast<size_t> (firmwareSize);

    for (size_t offset = 0; offset < size; offset += upgradeBlockDataSize)
    {
        // Cleared before the block's first byte: an acknowledgement that comes while the last
        // bytes are still being sent belongs to this block and must not be wiped.
        flags.blockAcknowledged = 0;
        flags.deviceErrorReported = 0;
        sendBlock (firmwareBlock (counter++, firmware.get(), size, offset));

        // An error note does not end the wait: a device may report one and then take the block.
        if (! waitForFlag (flags.blockAcknowledged, 2 * pollsPerWait, false))
        {
            clearReplyFlags();
            return juce::Result::fail ("Could not write new firmware");
        }

        setWizardProgress (upgradePhase, static_cast<juce::int64> (offset + upgradeBlockDataSize), progressTotal);
    }

    waitMs (0);
    setWizardStatusText ("Resetting...");
    flags.resetAcknowledged = 0;
    flags.deviceErrorReported = 0;
    sendUpgradeFrame (*output, resetFrame(), pacingCounter);

    const auto reset = waitForFlag (flags.resetAcknowledged, pollsPerWait, true);
    const auto refused = flags.deviceErrorReported.load() != 0;
    clearReplyFlags();
    waitMs (0);

    if (! reset && refused)
        return juce::Result::fail ("OK. But reset failed!");

    return juce::Result::ok();
}

void MidiInputHandler::handleIncomingMidiMessage (const juce::MidiMessage& message)
{
    if (paused)
        return;

    // Clock and active sensing are one byte long: only three-byte messages carry a reply.
    if (message.getRawDataSize() < 3)
        return;

    const auto* bytes = message.getRawData();
    auto& flags = upgradeReplyFlags;

    if (bytes[0] == 0x9F)
    {
        if (bytes[2] == deviceErrorVelocity)
        {
            flags.deviceErrorReported = 1;
            return;
        }

        switch (bytes[1])
        {
            case eraseCommand:
                flags.eraseAcknowledged = 1;
                break;
            case blockCommand:
                flags.blockAcknowledged = 1;
                break;
            case resetCommand:
                flags.resetAcknowledged = 1;
                break;
            case connectCommand:
                flags.connectAcknowledged = 1;
                break;
            default:
                break;
        }
    }
    else if (bytes[0] == 0xEC && bytes[1] == 0x2D)
    {
        flags.enterModeReply = bytes[2] == 1 ? 1 : 0;
    }
}
} // namespace talvor
