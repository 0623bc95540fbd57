#include "tests/support/SimulatedUnit.h"

#include <algorithm>

namespace corvix::testing
{
namespace
{
constexpr juce::uint8 acknowledgementStatus = 0x9A; // note on, channel 11
constexpr juce::uint8 reportStatus = 0xEC; // channel 13
constexpr int orvelAAddress = 2057;
constexpr int extenderAddress = 2058;

int addressOf (int productId) { return productId == orvelAAddress ? orvelAAddress : extenderAddress; }

int slotOfSlotAndWorkstationByte (juce::uint8 byte) { return (byte >> 5) & 0x03; }

int signatureAt (const std::vector<juce::uint8>& bytes, size_t offset)
{
    return (bytes[offset] << 16) | (bytes[offset + 1] << 8) | bytes[offset + 2];
}
} // namespace

SimulatedUnit::SimulatedUnit (talvor::VirtualMidiPortBackend& portsToUse, Setup setupToUse)
    : ports (portsToUse), setup (std::move (setupToUse))
{
    for (int port = 1; port <= setup.portCount; ++port)
    {
        ports.addOutput (outputName (port), [this, port] (const juce::MidiMessage& m) { receive (port, m); });
        inputs.push_back (ports.addInput (inputName (port)));
    }
}

SimulatedUnit::~SimulatedUnit() { unplug(); }

juce::String SimulatedUnit::outputName (int port) const
{
    if (setup.naming == PortNaming::windowsPairs)
        return "MIDIOUT" + juce::String (port) + " (" + setup.deviceName + ")";

    return setup.deviceName + " " + juce::String (port);
}

juce::String SimulatedUnit::inputName (int port) const
{
    if (setup.naming == PortNaming::windowsPairs)
        return "MIDIIN" + juce::String (port) + " (" + setup.deviceName + ")";

    return setup.deviceName + " " + juce::String (port);
}

//==============================================================================
void SimulatedUnit::setSilent (bool shouldBeSilent)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    silent = shouldBeSilent;
}

void SimulatedUnit::refuse (juce::uint8 command)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    refused[command] = true;
}

void SimulatedUnit::sendStatusReplyOn (juce::uint8 command, juce::uint8 value, bool replaceAcknowledgement)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    statusReplies[command] = { value, replaceAcknowledgement };
}

void SimulatedUnit::setReplyDelay (int milliseconds)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    replyDelayMs = milliseconds;
}

void SimulatedUnit::setSyncMask (std::optional<int> mask)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    syncMaskOverride = mask;
}

void SimulatedUnit::vanishAfter (int messageCount)
{
    {
        const std::lock_guard<std::recursive_mutex> guard (lock);
        messagesUntilVanish = messageCount;
    }

    if (messageCount == 0)
        unplug();
}

//==============================================================================
void SimulatedUnit::reportSelectedSlot (int slotId, int workstation, int port)
{
    sendRaw ({ reportStatus, 0x22, static_cast<juce::uint8> (((slotId << 5) | workstation) & 0x7F) }, port);
}

void SimulatedUnit::reportFaderState (int slotId, bool unlocked, int port)
{
    sendRaw ({ reportStatus, 0x23, static_cast<juce::uint8> (((slotId << 5) | (unlocked ? 1 : 0)) & 0x7F) }, port);
}

void SimulatedUnit::sendRaw (const std::vector<juce::uint8>& bytes, int port)
{
    if (port >= 1 && port <= static_cast<int> (inputs.size()))
        inputs[(size_t) port - 1]->send (juce::MidiMessage (bytes.data(), static_cast<int> (bytes.size())));
}

//==============================================================================
std::vector<SimulatedUnit::ReceivedMessage> SimulatedUnit::received() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return messages;
}

std::vector<SimulatedUnit::ReceivedMessage> SimulatedUnit::receivedOn (int port) const
{
    std::vector<ReceivedMessage> onPort;

    for (auto& m : received())
        if (m.port == port)
            onPort.push_back (m);

    return onPort;
}

std::vector<juce::uint8> SimulatedUnit::receivedCommands() const
{
    std::vector<juce::uint8> commands;

    for (auto& m : received())
        if (m.bytes.size() > 6 && m.bytes[0] == 0xF0)
            commands.push_back (m.bytes[5]);

    return commands;
}

int SimulatedUnit::countChannelMessages (juce::uint8 status, juce::uint8 data1) const
{
    int count = 0;

    for (auto& m : received())
        if (m.bytes.size() >= 2 && m.bytes[0] == status && m.bytes[1] == data1)
            ++count;

    return count;
}

SimulatedUnit::SlotState SimulatedUnit::slot (int slotId) const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return (slotId >= 1 && slotId <= 3) ? slots[(size_t) slotId - 1] : SlotState{};
}

juce::String SimulatedUnit::cellText (int slotId, int controlId) const
{
    if (controlId < 33 || controlId > 152)
        return {};

    const auto state = slot (slotId);
    const auto offset = static_cast<size_t> (controlId - 33) * 16;
    return juce::String (reinterpret_cast<const char*> (state.texts.data() + offset), 16);
}

bool SimulatedUnit::repliesDelivered() const
{
    return std::all_of (inputs.begin(), inputs.end(), [] (const auto& input) { return input->isIdle(); });
}

void SimulatedUnit::clearReceived()
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    messages.clear();
}

bool SimulatedUnit::isPlugged() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return plugged;
}

//==============================================================================
void SimulatedUnit::receive (int port, const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    ReceivedMessage entry{ port, std::vector<juce::uint8> (raw, raw + message.getRawDataSize()) };
    bool vanishNow = false;

    {
        const std::lock_guard<std::recursive_mutex> guard (lock);

        if (! plugged)
            return;

        messages.push_back (entry);

        if (entry.bytes.size() > 6 && entry.bytes[0] == 0xF0)
            handleSysex (port, entry.bytes);
        else if (entry.bytes.size() == 3)
            handleChannelMessage (port, entry.bytes);

        if (messagesUntilVanish > 0)
            vanishNow = (--messagesUntilVanish == 0);
    }

    if (onMessage)
        onMessage (entry);

    if (vanishNow)
        unplug();
}

bool SimulatedUnit::addressedToThisUnit (const std::vector<juce::uint8>& bytes) const
{
    const auto address = (bytes[3] << 7) | bytes[4];
    return bytes[1] == 0x1D && bytes[2] == 0x03 && address == addressOf (setup.productId);
}

void SimulatedUnit::handleSysex (int port, const std::vector<juce::uint8>& bytes)
{
    if (! addressedToThisUnit (bytes))
        return;

    const auto command = bytes[5];

    switch (command)
    {
        case openingRequest:
            if (bytes.size() == 16)
                acknowledge (port, command, static_cast<juce::uint8> (answerToOpeningRequest (bytes)));
            break;

        case closingRequest:
            if (bytes.size() == 16)
            {
                for (size_t s = 0; s < 3; ++s)
                    slots[s].signature = signatureAt (bytes, 6 + 3 * s);

                acknowledge (port, command, 1);
            }
            break;

        case slotSetting:
        case slotMode:
            if (bytes.size() == 9)
            {
                const auto slotId = slotOfSlotAndWorkstationByte (bytes[6]);

                if (slotId >= 1 && slotId <= 3)
                {
                    auto& state = slots[(size_t) slotId - 1];

                    if (command == slotSetting)
                    {
                        state.settingWorkstation = bytes[6] & 0x1F;
                        state.options = bytes[7];
                    }
                    else
                    {
                        state.modeWorkstation = bytes[6] & 0x1F;
                    }
                }

                acknowledge (port, command, 1);
            }
            break;

        case tableBlock:
            if (bytes.size() == 234 && bytes[7] < 8)
            {
                const auto slotId = slotOfSlotAndWorkstationByte (bytes[6]);

                if (slotId >= 1 && slotId <= 3)
                {
                    auto& state = slots[(size_t) slotId - 1];
                    std::copy (bytes.begin() + 9, bytes.begin() + 9 + 224, state.table.begin() + bytes[7] * 224);
                    state.blocksReceived[bytes[7]] = true;
                }

                acknowledge (port, command, 1);
            }
            break;

        case textBlock:
            if (bytes.size() == 205 && bytes[6] >= 1 && bytes[6] <= 3 && bytes[8] < 10)
            {
                auto& state = slots[(size_t) bytes[6] - 1];
                std::copy (bytes.begin() + 12, bytes.begin() + 12 + 192, state.texts.begin() + bytes[8] * 192);
                state.textBlocksReceived[bytes[8]] = true;
                acknowledge (port, command, 1);
            }
            break;

        default:
            break;
    }
}

void SimulatedUnit::handleChannelMessage (int port, const std::vector<juce::uint8>& bytes)
{
    // The system setting is the one status message a unit acknowledges; 0 means accepted.
    if (bytes[0] == reportStatus && bytes[1] == 0x2A)
        acknowledge (port, 0x2A, 0);
}

int SimulatedUnit::answerToOpeningRequest (const std::vector<juce::uint8>& bytes) const
{
    if (syncMaskOverride.has_value())
        return *syncMaskOverride & 7;

    int mask = 0;

    for (size_t s = 0; s < 3; ++s)
        if (slots[s].signature == signatureAt (bytes, 6 + 3 * s))
            mask |= 4 >> s;

    return mask;
}

void SimulatedUnit::acknowledge (int port, juce::uint8 command, juce::uint8 value)
{
    if (silent)
        return;

    if (const auto status = statusReplies.find (command); status != statusReplies.end())
    {
        reply (port, { acknowledgementStatus, 0x2F, status->second.value });

        if (status->second.replaceAcknowledgement)
            return;
    }

    if (refused.count (command) != 0)
        value = (command == 0x2A) ? 1 : 0;

    reply (port, { acknowledgementStatus, command, value });
}

void SimulatedUnit::reply (int port, const std::vector<juce::uint8>& bytes)
{
    if (port >= 1 && port <= static_cast<int> (inputs.size()))
        inputs[(size_t) port - 1]->send (juce::MidiMessage (bytes.data(), static_cast<int> (bytes.size())), replyDelayMs);
}

void SimulatedUnit::unplug()
{
    {
        const std::lock_guard<std::recursive_mutex> guard (lock);

        if (! plugged)
            return;

        plugged = false;
    }

    for (int port = 1; port <= setup.portCount; ++port)
    {
        ports.removeOutput (outputName (port));
        ports.removeInput (inputName (port));
    }
}
} // namespace corvix::testing
