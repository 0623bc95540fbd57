#include "link/ProtocolMessages.h"

#include "devices/ProductIds.h"
#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "tables/SlotSignatures.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint8 sysexStart = 0xF0;
constexpr juce::uint8 sysexEnd = 0xF7;
constexpr juce::uint8 makerId = 0x1D;
constexpr juce::uint8 familyId = 0x03;
constexpr juce::uint8 statusChannel13 = 0xEC;

constexpr int mainUnitAddress = talvor::productIds::orvelA;
constexpr int extenderAddress = talvor::productIds::orvelB;

// Display layout of a text block: 12 cells in 2 rows of 8 columns.
constexpr juce::uint8 textCellCount = 0x0C;
constexpr juce::uint8 textRowCount = 0x02;
constexpr juce::uint8 textColumnCount = 0x08;

constexpr juce::uint8 sevenBits (int value) noexcept { return static_cast<juce::uint8> (value & 0x7F); }

/** Writes the maker's header with the unit's address and the command; returns where data starts. */
juce::uint8* writeHeader (juce::uint8* out, int productId, int command) noexcept
{
    const auto address = productIdBytes (productId);
    *out++ = sysexStart;
    *out++ = makerId;
    *out++ = familyId;
    *out++ = address[0];
    *out++ = address[1];
    *out++ = sevenBits (command);
    return out;
}

template <size_t size>
juce::MidiMessage toMessage (const std::array<juce::uint8, size>& bytes)
{
    return juce::MidiMessage (bytes.data(), static_cast<int> (size), 0.0);
}

/** The unit's position among the eight, -1 when the id is not one of them. */
int unitIndexOf (int productId) noexcept { return idToIndex (unitIdOfProduct (productId)); }

/** The workstation the requests carry for a slot of the live map's current unit: 1 when the slot
    has none, or when there is no live map yet. */
int requestWorkstation (int slotId)
{
    const auto dawId = hostInstance != nullptr ? hostInstance->getStateTree().slotDawId (slotId) : 0;
    return juce::jmax (1, dawId);
}

int optionBits (int slotIndex) noexcept
{
    const auto& options = slotOptionFlags[static_cast<size_t> (slotIndex)];
    return (options[0] << 2) | (options[1] << 1) | options[2];
}

/** A display text as exactly 16 bytes: cut, padded with blanks, and 7-bit. */
void writeCell (juce::uint8* cell, const juce::String& text) noexcept
{
    auto chars = text.getCharPointer();

    for (int i = 0; i < labelTextLength; ++i)
    {
        const auto c = chars.isEmpty() ? juce::juce_wchar (' ') : chars.getAndAdvance();
        cell[i] = c < 0x80 ? static_cast<juce::uint8> (c) : juce::uint8 ('?');
    }
}

juce::MidiMessage statusMessage (int command, int value)
{
    return juce::MidiMessage (statusChannel13, sevenBits (command), sevenBits (value), 0.0);
}
} // namespace

std::array<juce::uint8, 2> productIdBytes (int productId) noexcept
{
    const auto address = isExtender (productId) ? extenderAddress : isOrvelA (productId) ? mainUnitAddress : productId;
    return { sevenBits (address >> 7), sevenBits (address) };
}

juce::uint8 slotAndWorkstationByte (int slotId, int workstationId) noexcept
{
    return static_cast<juce::uint8> (((static_cast<unsigned> (slotId) << 5) & 0x7F) | (static_cast<unsigned> (workstationId) & 0x1F));
}

juce::MidiMessage buildSignatureRequest (int productId, int command)
{
    const auto unit = unitIndexOf (productId);

    if (unit < 0)
        return {};

    std::array<juce::uint8, signatureRequestSize> bytes;
    auto* out = writeHeader (bytes.data(), productId, command);

    for (const auto signature : slotSignatures[static_cast<size_t> (unit)])
    {
        const auto bits = signature21Bits (signature);
        *out++ = sevenBits (bits >> 16);
        *out++ = sevenBits (bits >> 8);
        *out++ = sevenBits (bits);
    }

    *out = sysexEnd;
    return toMessage (bytes);
}

juce::MidiMessage buildSlotSettingMessage (int productId, int slotId, bool isSetting)
{
    if (unitIndexOf (productId) < 0 || ! isSlotId (slotId))
        return {};

    std::array<juce::uint8, slotSettingMessageSize> bytes;
    auto* out = writeHeader (bytes.data(), productId, isSetting ? requestCommands::slotSetting : requestCommands::slotMode);
    *out++ = slotAndWorkstationByte (slotId, requestWorkstation (slotId));
    *out++ = isSetting ? sevenBits (optionBits (slotId - 1)) : juce::uint8 (0);
    *out = sysexEnd;
    return toMessage (bytes);
}

juce::MidiMessage buildTableBlockMessage (int productId, int slotId, int block)
{
    const auto unit = unitIndexOf (productId);

    if (unit < 0 || ! isSlotId (slotId) || block < 0 || block >= tableBlockCount)
        return {};

    std::array<juce::uint8, tableBlockMessageSize> bytes;
    auto* out = writeHeader (bytes.data(), productId, requestCommands::tableBlock);
    *out++ = slotAndWorkstationByte (slotId, requestWorkstation (slotId));
    *out++ = static_cast<juce::uint8> (block);
    *out++ = static_cast<juce::uint8> (tableBlockCount);

    const auto& buffer = deviceTableBuffers[static_cast<size_t> (unit)][static_cast<size_t> (slotId - 1)];
    const auto* source = buffer.data() + block * tableBlockSize;

    for (int i = 0; i < tableBlockSize; ++i)
        *out++ = sevenBits (source[i]);

    *out = sysexEnd;
    return toMessage (bytes);
}

juce::MidiMessage buildTextBlockMessage (int slotId, int blockNumber)
{
    if (! isSlotId (slotId) || blockNumber < 1 || blockNumber > textBlockCount)
        return {};

    const auto group = blockNumber - 1;

    std::array<juce::uint8, textBlockMessageSize> bytes;
    auto* out = writeHeader (bytes.data(), mainUnitAddress, requestCommands::textBlock);
    *out++ = static_cast<juce::uint8> (slotId);
    *out++ = static_cast<juce::uint8> (requestWorkstation (slotId) & 0x1F);
    *out++ = static_cast<juce::uint8> (group);
    *out++ = textCellCount;
    *out++ = textRowCount;
    *out++ = textColumnCount;

    const auto& texts = slotLabelTexts[static_cast<size_t> (slotId - 1)][static_cast<size_t> (group)];

    // A group short of texts shows blanks in the missing cells.
    for (int cell = 0; cell < labelsPerGroup; ++cell, out += labelTextLength)
        writeCell (out, texts[cell]);

    *out = sysexEnd;
    return toMessage (bytes);
}

juce::MidiMessage fillerMessage() { return juce::MidiMessage (0xEF, 0x7F, 0x7F, 0.0); }

juce::MidiMessage selectedSlotStatusMessage (int slotId, int workstationId)
{
    return statusMessage (statusCommands::selectedSlot, slotAndWorkstationByte (slotId, workstationId));
}

juce::MidiMessage faderStateStatusMessage (int slotId, int unlockedFlag)
{
    return statusMessage (statusCommands::faderState, slotAndWorkstationByte (slotId, unlockedFlag));
}

juce::MidiMessage saveAsDefaultStatusMessage() { return statusMessage (statusCommands::saveAsDefault, 0x01); }

juce::MidiMessage systemSettingStatusMessage (int value) { return statusMessage (statusCommands::systemSetting, value); }
} // namespace NsOrvelA
