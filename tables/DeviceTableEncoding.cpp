#include "tables/DeviceTableEncoding.h"

#include "map/ControlLayout.h"
#include "map/HuiCodes.h"
#include "map/MapIdentifiers.h"
#include "map/MidiKinds.h"

namespace NsOrvelA
{
namespace
{
constexpr int noteOnNibble = 9;
constexpr int controlChangeNibble = 11;

// Every byte but b1 travels as a 7-bit data byte: a value from a hand-edited file must not put a
// status byte into a System Exclusive message.
std::uint8_t dataByte (int value) noexcept { return static_cast<std::uint8_t> (value & 0x7F); }

std::uint8_t slotKind (int slotIndex, int lowNibble) noexcept
{
    return static_cast<std::uint8_t> (((slotIndex & 0x07) << 4) | (lowNibble & 0x0F));
}

int intOf (const ControlEntry& entry, const juce::Identifier& property) { return static_cast<int> (entry.getProperty (property)); }

bool flagOf (const ControlEntry& entry, const juce::Identifier& property) { return intOf (entry, property) != 0; }

void encodeFunction (DeviceTableRow& row, int slotIndex, int code)
{
    row.bytes[0] = slotKind (slotIndex, noteOnNibble);
    row.bytes[1] = 0x90;
    row.bytes[2] = dataByte (code);
    row.bytes[3] = 0x7F;
}

void encodeHui (DeviceTableRow& row, int slotIndex, int controlClassIndex, int value)
{
    row.bytes[0] = slotKind (slotIndex, controlChangeNibble);
    row.bytes[1] = 0xB0;

    if (value < 0)
        return;

    switch (controlClassIndex)
    {
        case buttonClass:
        {
            if (value >= huiCodeCount)
                return; // no HUI code: the default data bytes stay

            const auto [zone, port] = huiZonePort (value);

            if (zone == -1 || port == -1)
                return;

            row.bytes[2] = 0x0F;
            row.bytes[3] = dataByte (zone);
            row.bytes[4] = 0x2F;
            row.bytes[5] = dataByte (port);
            row.bytes[6] = dataByte (zone == 29 ? (port | 0x40) : (port & 0x0F));
            break;
        }

        case faderClass:
            row.bytes[2] = dataByte (value);
            row.bytes[3] = dataByte (0x20 | value);
            break;

        case knobClass:
            row.bytes[2] = dataByte (0x40 | value);
            row.bytes[4] = 0x40;
            break;

        default:
            break;
    }
}

void encodeMidi (DeviceTableRow& row, const ControlEntry& entry, int slotIndex, int controlClassIndex)
{
    const auto nibble = midiStatusNibbles (MidiKind::fromName (entry.getProperty (mapIds::type).toString()));
    const auto channelIndex = (intOf (entry, mapIds::chan) - 1) & 0x0F;

    row.bytes[0] = slotKind (slotIndex, nibble);
    row.bytes[1] = static_cast<std::uint8_t> (((nibble << 4) & 0xF0) | channelIndex);
    row.bytes[2] = dataByte (intOf (entry, mapIds::msgValue));

    if (controlClassIndex == buttonClass)
        row.bytes[3] = 0x7F;
}

void encodeHotkey (DeviceTableRow& row, const ControlEntry& entry)
{
    const auto modifiers = (flagOf (entry, mapIds::cmd) ? hotkeyCmd : 0) | (flagOf (entry, mapIds::alt) ? hotkeyAlt : 0)
                           | (flagOf (entry, mapIds::shift) ? hotkeyShift : 0) | (flagOf (entry, mapIds::ctrl) ? hotkeyCtrl : 0);
    const auto key = intOf (entry, mapIds::key);

    row.bytes[0] = static_cast<std::uint8_t> ((hotkeyRowKind << 4) | modifiers);
    row.bytes[1] = 0;
    // A key the hotkey page could not name (-1) types nothing rather than some other key.
    row.bytes[2] = (key >= 0 && key <= 127) ? static_cast<std::uint8_t> (key) : 0;
    row.bytes[3] = 0;
}
} // namespace

void encodeControlEntry (DeviceTableRow& row, const ControlEntry& entry, int slotIndex, bool huiDaw, int controlClassIndex)
{
    const auto kind = entry.getProperty (mapIds::valueType).toString().trim();
    const auto value = intOf (entry, mapIds::value);

    if (kind == "func")
    {
        if (huiDaw)
            encodeHui (row, slotIndex, controlClassIndex, value);
        else
            encodeFunction (row, slotIndex, value);
    }
    else if (kind == "hui")
    {
        encodeHui (row, slotIndex, controlClassIndex, value);
    }
    else if (kind == "midi")
    {
        encodeMidi (row, entry, slotIndex, controlClassIndex);
    }
    else if (kind == "hotkey")
    {
        encodeHotkey (row, entry);
    }
    else if (kind == "null")
    {
        row.bytes[0] = slotKind (slotIndex, 0);
        row.bytes[1] = 0;
        row.bytes[2] = 0;
    }
}

void stampRowWithSlot (DeviceTableRow& row, int slotIndex) noexcept
{
    if ((row.bytes[0] & 0x70) <= 0x30)
        row.bytes[0] = slotKind (slotIndex, row.bytes[0]);
}

void writeTransferForm (const DeviceTableRow& row, juce::uint8* destination) noexcept
{
    destination[0] = row.bytes[0];
    destination[1] = static_cast<juce::uint8> (row.bytes[1] >> 4);
    destination[2] = static_cast<juce::uint8> (row.bytes[1] & 0x0F);

    for (int i = 2; i < deviceTableRowSize; ++i)
        destination[i + 1] = row.bytes[i];
}
} // namespace NsOrvelA
