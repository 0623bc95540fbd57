#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

namespace NsOrvelA
{
/** The messages the system sends to the units.

    Requests travel as System Exclusive messages of the maker (0xF0 0x1D 0x03, the unit's address,
    a command byte, its data, 0xF7); status travels as three-byte messages on channel 13. Every
    data byte is kept below 0x80, whatever the map or the shared state holds, so that a message
    can never be cut short by a stray status byte inside it.

    A request that cannot be built (a product id that is not one of the eight units, a slot id
    outside 1..3, a block outside its range) comes back as an empty System Exclusive message,
    0xF0 0xF7 (two bytes, JUCE's default message): nothing is indexed with the bad number, and
    a unit ignores the message, so a conversation that sends it ends with its time-out. */

/** The SysEx command bytes. */
namespace requestCommands
{
constexpr int openingRequest = 0x24;
constexpr int tableBlock = 0x25;
constexpr int textBlock = 0x26;
constexpr int closingRequest = 0x27;
constexpr int slotSetting = 0x2C;
constexpr int slotMode = 0x2E;
} // namespace requestCommands

/** The second byte of the 0xEC status messages. */
namespace statusCommands
{
constexpr int selectedSlot = 0x22;
constexpr int faderState = 0x23;
constexpr int systemSetting = 0x2A;
constexpr int saveAsDefault = 0x2D;
} // namespace statusCommands

/** Sizes of the requests, in bytes, 0xF0 and 0xF7 included. */
constexpr int signatureRequestSize = 16;
constexpr int slotSettingMessageSize = 9;
constexpr int tableBlockMessageSize = 234;
constexpr int textBlockMessageSize = 205;

/** A device table travels in 8 blocks of 224 bytes (28 rows); the texts in 10 blocks of 12 cells. */
constexpr int tableBlockCount = 8;
constexpr int tableBlockSize = 224;
constexpr int textBlockCount = 10;

/** The address a unit is written to, as two 7-bit bytes (high, low). Every extender listens to
    the plain Orvel-B's id (0x10 0x0A), the main unit to its own (0x10 0x09). Any other id is written as it is, each
    byte cut to 7 bits. */
std::array<juce::uint8, 2> productIdBytes (int productId) noexcept;

/** The slot id in bits 5..6 and the workstation id in bits 0..4. The workstation is cut to its
    five bits, so that it can never spill into the slot's bits. Slot 3 with workstation 5 gives 0x65. */
juce::uint8 slotAndWorkstationByte (int slotId, int workstationId) noexcept;

/** The slot signatures of the unit with this product id for slots 1, 2, 3, each as three 7-bit
    bytes; command 0x24 opens a conversation, 0x27 closes it. */
juce::MidiMessage buildSignatureRequest (int productId, int command);

/** The options of a slot (isSetting, command 0x2C) or its mode (command 0x2E, options 0), with
    the slot's workstation in the live map's current unit (1 when it has none). */
juce::MidiMessage buildSlotSettingMessage (int productId, int slotId, bool isSetting);

/** One of the 8 blocks (0..7) of a slot's device table, from the unit's transfer buffer. */
juce::MidiMessage buildTableBlockMessage (int productId, int slotId, int block);

/** One of the 10 groups (block number 1..10) of 12 display texts of a slot; always addressed to
    the main unit, the only one with displays. A text is cut or padded with blanks to its 16
    characters, and a character the displays cannot take (beyond 7 bits) is sent as '?'. */
juce::MidiMessage buildTextBlockMessage (int slotId, int blockNumber);

/** 0xEF 0x7F 0x7F, a pitch bend on channel 16 that the units skip: it goes before every status
    message and before an upload's SysEx messages of an odd number of 3-byte groups. */
juce::MidiMessage fillerMessage();

/** 0xEC 0x22: the selected slot and its workstation (0 for none), as slotAndWorkstationByte. */
juce::MidiMessage selectedSlotStatusMessage (int slotId, int workstationId);

/** 0xEC 0x23: the fader lock of a slot; flag 0 means the faders are locked. */
juce::MidiMessage faderStateStatusMessage (int slotId, int unlockedFlag);

/** 0xEC 0x2D 0x01: store the current state as the unit's default. */
juce::MidiMessage saveAsDefaultStatusMessage();

/** 0xEC 0x2A value: the system setting. */
juce::MidiMessage systemSettingStatusMessage (int value);
} // namespace NsOrvelA
