#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <vector>

namespace talvor
{
class MidiOutputPort;

/** A frame of the MIDI upgrade protocol: ten 55 bytes, 1D 03 00 49, the command, its argument
    and the checksum (the 8-bit sum of the 16 bytes before it). */
constexpr int upgradeFrameSize = 17;
using UpgradeFrame = std::array<juce::uint8, upgradeFrameSize>;

/** The commands a frame carries, and the notes with which the device acknowledges them. */
enum UpgradeCommand : juce::uint8
{
    eraseCommand = 0x00,
    blockCommand = 0x01,
    resetCommand = 0x02,
    connectCommand = 0x7F,
};

/** Firmware bytes in one block; a block is its header, these bytes and a sum byte. */
constexpr int upgradeBlockDataSize = 512;
constexpr int upgradeBlockSize = upgradeFrameSize + upgradeBlockDataSize + 1;

/** The velocity with which the device reports an error, whatever the note. */
constexpr juce::uint8 deviceErrorVelocity = 0x7F;

UpgradeFrame connectFrame();
UpgradeFrame eraseFrame (int productId);
UpgradeFrame resetFrame();

/** A block header: the block counter as argument and 00 in place of the checksum. */
UpgradeFrame blockHeader (juce::uint8 counter);

/** One block: the header, firmware bytes [offset, offset + 512) of the image, zeros where the
    image ends before that, and the 8-bit sum of the 529 bytes before the sum byte. */
std::vector<juce::uint8> firmwareBlock (juce::uint8 counter, const juce::uint8* image, size_t imageSize, size_t offset);

/** The byte a product's erase frame carries: 71 for a few of the maker's devices, else 70. */
juce::uint8 eraseByteForProduct (int productId) noexcept;

/** A byte as it travels: a note-on on channel 16, its high nibble the note, its low the velocity. */
juce::MidiMessage encodeUpgradeByte (juce::uint8 byte);

/** The pitch bend EF 7F 7F that goes before the connect, erase and reset frames. */
juce::MidiMessage upgradePrelude();

/** The request to enter upgrade mode, in its 8-byte or (any other length) 9-byte form. */
juce::MidiMessage buildSysExRequest (int productId, int length);

/** Sends the prelude and a frame, byte by byte, with a pacing step after each message. */
void sendUpgradeFrame (MidiOutputPort& output, const UpgradeFrame& frame, int& pacingCounter);
} // namespace talvor
