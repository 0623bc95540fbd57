#include "firmware/UpgradeFrames.h"

#include "devices/ProductFamilies.h"
#include "platform/MidiPacing.h"
#include "platform/MidiPortBackend.h"

namespace talvor
{
namespace
{
constexpr int commandIndex = 14;
constexpr int argumentIndex = 15;
constexpr int checksumIndex = 16;

UpgradeFrame frameWith (juce::uint8 command, juce::uint8 argument)
{
    UpgradeFrame frame{ 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x1D, 0x03, 0x00, 0x49, command, argument, 0x00 };
    return frame;
}

template <typename Iterator>
juce::uint8 sumOf (Iterator first, Iterator last)
{
    unsigned sum = 0;

    for (; first != last; ++first)
        sum += *first;

    return static_cast<juce::uint8> (sum & 0xFF);
}

UpgradeFrame withChecksum (UpgradeFrame frame)
{
    frame[checksumIndex] = sumOf (frame.begin(), frame.begin() + checksumIndex);
    return frame;
}

void pace (int& counter) { pacedMessageWait (counter, 2, 1); }
} // namespace

UpgradeFrame connectFrame() { return withChecksum (frameWith (connectCommand, 0)); }

UpgradeFrame eraseFrame (int productId) { return withChecksum (frameWith (eraseCommand, eraseByteForProduct (productId))); }

UpgradeFrame resetFrame() { return withChecksum (frameWith (resetCommand, 0)); }

UpgradeFrame blockHeader (juce::uint8 counter) { return frameWith (blockCommand, counter); }

std::vector<juce::uint8> firmwareBlock (juce::uint8 counter, const juce::uint8* image, size_t imageSize, size_t offset)
{
    const auto header = blockHeader (counter);
    std::vector<juce::uint8> block (header.begin(), header.end());
    block.resize (upgradeBlockSize - 1, 0);

    // The last block of an image that is no whole number of blocks is padded with zeros.
    if (offset < imageSize)
    {
        const auto count = std::min (imageSize - offset, static_cast<size_t> (upgradeBlockDataSize));
        std::copy (image + offset, image + offset + count, block.begin() + upgradeFrameSize);
    }

    block.push_back (sumOf (block.begin(), block.end()));
    return block;
}

juce::uint8 eraseByteForProduct (int productId) noexcept
{
    switch (productId)
    {
        case 94:
        case 130:
        case 182:
        case 183:
            return 0x71;
        default:
            return 0x70;
    }
}

juce::MidiMessage encodeUpgradeByte (juce::uint8 byte) { return juce::MidiMessage (0x9F, byte >> 4, byte & 0x0F); }

juce::MidiMessage upgradePrelude() { return juce::MidiMessage (0xEF, 0x7F, 0x7F); }

juce::MidiMessage buildSysExRequest (int productId, int length)
{
    const auto family = productFamilyId (productId);
    const auto high = static_cast<juce::uint8> ((family >> 7) & 0x7F);
    const auto low = static_cast<juce::uint8> (family % 128);

    if (length == 8)
    {
        const juce::uint8 bytes[]{ 0xF0, 0x1D, 0x03, high, low, 0x55, 0x7F, 0xF7 };
        return juce::MidiMessage (bytes, static_cast<int> (sizeof (bytes)), 0.0);
    }

    const juce::uint8 edition = productId == 157 || productId == 158 ? 0x7E : 0x7F;
    const juce::uint8 bytes[]{ 0xF0, 0x1D, 0x03, high, low, 0x00, 0x7F, edition, 0xF7 };
    return juce::MidiMessage (bytes, static_cast<int> (sizeof (bytes)), 0.0);
}

void sendUpgradeFrame (MidiOutputPort& output, const UpgradeFrame& frame, int& pacingCounter)
{
    output.sendMessageNow (upgradePrelude());
    pace (pacingCounter);

    for (const auto byte : frame)
    {
        output.sendMessageNow (encodeUpgradeByte (byte));
        pace (pacingCounter);
    }
}
} // namespace talvor
