#pragma once

#include "map/ControlLayout.h"
#include "map/HuiCodes.h"

#include <array>
#include <cstdint>

namespace NsOrvelA
{
/** A unit's device table says, for each of its 224 rows, what the physical control of that row
    sends. A row is 7 bytes, b0..b6:
    - b0: bits 4..6 the row kind (the slot index 0..2 for a MIDI message, 3 for an empty row,
      4 for a hotkey, 5 for a mouse action), bits 0..3 the MIDI status nibble of a message or the
      modifier bits of a hotkey;
    - b1: the MIDI status byte of a message (the only byte that may have bit 7 set);
    - b2, b3: the data bytes of a message, the key usage id of a hotkey;
    - b4..b6: the way back of two-way controls, and the HUI zone and port bytes.
    The builders below make the kinds of rows the factory tables hold; they are constexpr so that
    the tables are made by the compiler. */
constexpr int deviceTableRowSize = 7;

struct DeviceTableRow
{
    std::uint8_t bytes[deviceTableRowSize];

    constexpr std::uint8_t operator[] (int index) const noexcept { return bytes[index]; }
    constexpr int rowKind() const noexcept { return bytes[0] >> 4; }
    constexpr int lowNibble() const noexcept { return bytes[0] & 0x0F; }

    constexpr bool operator== (const DeviceTableRow& other) const noexcept
    {
        for (int i = 0; i < deviceTableRowSize; ++i)
            if (bytes[i] != other.bytes[i])
                return false;

        return true;
    }

    constexpr bool operator!= (const DeviceTableRow& other) const noexcept { return ! operator== (other); }
};

/** The 224 rows of one table, indexed by controlTableRow. */
using DeviceTableRows = std::array<DeviceTableRow, deviceTableRowCount>;

/** Row kinds in b0's high nibble: a default table marks empty rows with 3, hotkeys with 4 and
    mouse actions with 5; message rows carry the slot index there once stamped. */
constexpr int emptyRowKind = 3;
constexpr int hotkeyRowKind = 4;
constexpr int mouseRowKind = 5;

/** The modifier bits of a hotkey row. */
constexpr int hotkeyCtrl = 1;
constexpr int hotkeyShift = 2;
constexpr int hotkeyAlt = 4;
constexpr int hotkeyCmd = 8;

namespace DeviceTableRowDetail
{
constexpr std::uint8_t low7 (int value) noexcept { return static_cast<std::uint8_t> (value & 0x7F); }

constexpr DeviceTableRow row (int b0, int b1, int b2, int b3, int b4 = 0, int b5 = 0, int b6 = 0) noexcept
{
    return { { low7 (b0), static_cast<std::uint8_t> (b1 & 0xFF), low7 (b2), low7 (b3), low7 (b4), low7 (b5), low7 (b6) } };
}

constexpr int statusByte (int nibble, int channel) noexcept { return (nibble << 4) | ((channel - 1) & 0x0F); }
} // namespace DeviceTableRowDetail

/** A button that sends a note-on of a function code on channel 1, full velocity. */
constexpr DeviceTableRow noteRow (int code) noexcept { return DeviceTableRowDetail::row (0x09, 0x90, code, 0x7F); }

/** A two-way control (an encoder turned either way): the code one way, reverseCode the other. */
constexpr DeviceTableRow twoWayNoteRow (int code, int reverseCode) noexcept
{
    return DeviceTableRowDetail::row (0x09, 0x90, code, 0x7F, 0, reverseCode);
}

/** A control change on a channel (1..16); b3 and b4 are the values a relative control sends. */
constexpr DeviceTableRow controlChangeRow (int channel, int controller, int b3 = 0, int b4 = 0) noexcept
{
    return DeviceTableRowDetail::row (0x0B, DeviceTableRowDetail::statusByte (0x0B, channel), controller, b3, b4);
}

/** A fader sending pitch bend on a channel (1..16). */
constexpr DeviceTableRow pitchBendRow (int channel) noexcept
{
    return DeviceTableRowDetail::row (0x0E, DeviceTableRowDetail::statusByte (0x0E, channel), 0, 0);
}

/** A computer key: modifiers (hotkeyCtrl | hotkeyShift | ...) and the key's USB-HID usage id. */
constexpr DeviceTableRow hotkeyRow (int modifiers, int usage) noexcept
{
    return DeviceTableRowDetail::row ((hotkeyRowKind << 4) | (modifiers & 0x0F), 0, usage, 0);
}

/** A two-way control typing one key each way. */
constexpr DeviceTableRow twoWayHotkeyRow (int modifiers, int usage, int reverseUsage) noexcept
{
    return DeviceTableRowDetail::row ((hotkeyRowKind << 4) | (modifiers & 0x0F), 0, usage, 0, reverseUsage);
}

/** The mouse action that every factory table carries on its row 51. */
constexpr DeviceTableRow mouseRow() noexcept { return DeviceTableRowDetail::row ((mouseRowKind << 4) | 0x08, 0, 0, 0x01, 0, 0x02); }

/** A control that sends nothing; buttons keep full velocity in b3, ready for an assignment. */
constexpr DeviceTableRow emptyRow() noexcept { return DeviceTableRowDetail::row (emptyRowKind << 4, 0, 0, 0x7F); }

/** A row of zero bytes: a message row without a message. */
constexpr DeviceTableRow zeroRow() noexcept { return DeviceTableRowDetail::row (0, 0, 0, 0); }

/** A HUI button: the zone select on the zone controller, then the port on the port controller.
    In zone 29 (the footswitches) the port goes out with bit 6 set, elsewhere as its low nibble. */
constexpr DeviceTableRow huiButtonRow (HuiZonePort zonePort) noexcept
{
    const auto zone = zonePort.zone;
    const auto port = zonePort.port;
    return DeviceTableRowDetail::row (0x0B, 0xB0, 0x0F, zone, 0x2F, port, zone == 29 ? (port | 0x40) : (port & 0x0F));
}

/** HUI fader k (0..8; 8 is the master). */
constexpr DeviceTableRow huiFaderRow (int fader) noexcept { return DeviceTableRowDetail::row (0x0B, 0xB0, fader, 0x20 + fader); }

/** HUI knob k (0..7), relative. */
constexpr DeviceTableRow huiKnobRow (int knob) noexcept { return DeviceTableRowDetail::row (0x0B, 0xB0, 0x40 + knob, 0, 0x40); }
} // namespace NsOrvelA
