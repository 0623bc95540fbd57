#pragma once

#include "platform/VirtualMidiPortBackend.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace corvix::testing
{
/** A unit on virtual MIDI ports, as the system meets it: an Orvel-A or an extender with numbered
    port pairs. It decodes what the system sends, acknowledges every request with the note-on
    replies of the units' protocol, keeps what it received, sends slot and fader reports when
    told, and can be told to stay silent, refuse, answer late or vanish. Its replies reach the
    system on the input's delivery thread, as a real unit's reach it on the MIDI input thread.

    Everything here is called on the message thread (the test thread); what the system sends
    reaches the unit on the sender's thread, which is the message thread too. */
class SimulatedUnit
{
public:
    /** How the unit's ports are named: Windows pairs ("MIDIOUT4 (Orvel-A)" / "MIDIIN4 (Orvel-A)"),
        or one name per port shared by input and output, ending in the port number ("Orvel-A 4"). */
    enum class PortNaming
    {
        windowsPairs,
        sharedNames,
    };

    struct Setup
    {
        int productId = 2057;
        juce::String deviceName = "Orvel-A";
        int portCount = 4;
        PortNaming naming = PortNaming::sharedNames;
    };

    /** The SysEx requests of an upload, by their command byte. */
    enum Command : juce::uint8
    {
        openingRequest = 0x24,
        tableBlock = 0x25,
        textBlock = 0x26,
        closingRequest = 0x27,
        slotSetting = 0x2C,
        slotMode = 0x2E,
    };

    struct ReceivedMessage
    {
        int port;
        std::vector<juce::uint8> bytes;
    };

    struct SlotState
    {
        std::array<juce::uint8, 1792> table{}; // transfer form, as the table blocks carried it
        std::array<bool, 8> blocksReceived{};
        std::array<juce::uint8, 1920> texts{}; // 10 blocks of 12 cells of 16 characters
        std::array<bool, 10> textBlocksReceived{};
        int settingWorkstation = -1; // from the slot-and-workstation byte of a setting
        int options = -1; // option byte of the last slot setting
        int modeWorkstation = -1; // from the last slot mode message
        int signature = -1; // 21-bit signature the last closing request gave
    };

    SimulatedUnit (talvor::VirtualMidiPortBackend& ports, Setup setup);
    ~SimulatedUnit();

    SimulatedUnit (const SimulatedUnit&) = delete;
    SimulatedUnit& operator= (const SimulatedUnit&) = delete;

    const Setup& getSetup() const noexcept { return setup; }
    juce::String outputName (int port) const;
    juce::String inputName (int port) const;

    //==============================================================================
    // Behaviour.

    /** Answer nothing at all (the requests are still recorded). */
    void setSilent (bool shouldBeSilent);

    /** Answer this command with the refusal value (0 for a note-on acknowledgement). */
    void refuse (juce::uint8 command);

    /** Also send 0x9A 0x2F value right before the acknowledgement of this command, or instead
        of it when replaceAcknowledgement is set. */
    void sendStatusReplyOn (juce::uint8 command, juce::uint8 value, bool replaceAcknowledgement);

    /** Delay every reply by this many milliseconds. */
    void setReplyDelay (int milliseconds);

    /** Overrides the sync mask that the opening request is answered with (bit 2 slot 1, bit 1
        slot 2, bit 0 slot 3). Without it a slot is in sync when the signature of the request
        equals what the last closing request stored. */
    void setSyncMask (std::optional<int> mask);

    /** Unplug the unit (all its ports leave the device lists) once it has received this many
        further messages, counted from now; 0 unplugs at once. */
    void vanishAfter (int messageCount);

    /** Called with every message the unit receives, after it has been handled. */
    std::function<void (const ReceivedMessage&)> onMessage;

    //==============================================================================
    // Reports the unit sends of its own accord, on the given port's input.

    void reportSelectedSlot (int slotId, int workstation = 0, int port = 4);
    void reportFaderState (int slotId, bool unlocked, int port = 4);
    void sendRaw (const std::vector<juce::uint8>& bytes, int port = 4);

    //==============================================================================
    // What the unit received.

    std::vector<ReceivedMessage> received() const;
    std::vector<ReceivedMessage> receivedOn (int port) const;

    /** The command bytes of the SysEx requests received, in order (table blocks once each). */
    std::vector<juce::uint8> receivedCommands() const;

    /** How many channel messages with this status and first data byte were received. */
    int countChannelMessages (juce::uint8 status, juce::uint8 data1) const;

    SlotState slot (int slotId) const;

    /** The 16-character display text of a button control (33..152) as received for a slot. */
    juce::String cellText (int slotId, int controlId) const;

    /** True once every message queued for the system has been delivered. */
    bool repliesDelivered() const;

    void clearReceived();

    bool isPlugged() const;

private:
    void receive (int port, const juce::MidiMessage& message);
    void handleSysex (int port, const std::vector<juce::uint8>& bytes);
    void handleChannelMessage (int port, const std::vector<juce::uint8>& bytes);
    void acknowledge (int port, juce::uint8 command, juce::uint8 value);
    void reply (int port, const std::vector<juce::uint8>& bytes);
    int answerToOpeningRequest (const std::vector<juce::uint8>& bytes) const;
    bool addressedToThisUnit (const std::vector<juce::uint8>& bytes) const;
    void unplug();

    talvor::VirtualMidiPortBackend& ports;
    const Setup setup;
    std::vector<std::shared_ptr<talvor::VirtualMidiPortBackend::InputSource>> inputs;

    mutable std::recursive_mutex lock;
    std::vector<ReceivedMessage> messages;
    std::array<SlotState, 3> slots;
    bool silent = false;
    bool plugged = true;
    int replyDelayMs = 0;
    int messagesUntilVanish = -1;
    std::optional<int> syncMaskOverride;
    std::map<juce::uint8, bool> refused;

    struct StatusReply
    {
        juce::uint8 value;
        bool replaceAcknowledgement;
    };
    std::map<juce::uint8, StatusReply> statusReplies;
};
} // namespace corvix::testing
