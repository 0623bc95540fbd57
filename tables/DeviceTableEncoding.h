#pragma once

#include "map/ControlEntry.h"
#include "tables/DeviceTableRow.h"

namespace NsOrvelA
{
/** Writes what a control entry assigns into the control's row of a slot's table. Only the bytes
    the assignment needs are written; the others keep the stamped default row's values. Entries
    never assigned ("nil") and mouse actions leave the row as it is.
    slotIndex: 0..2; huiDaw: the slot's workstation is the HUI one; controlClassIndex: the
    control's class under that workstation (knob, fader or button). */
void encodeControlEntry (DeviceTableRow& row, const ControlEntry& entry, int slotIndex, bool huiDaw, int controlClassIndex);

/** Marks a default row as belonging to a slot: message and empty rows (kinds 0..3) carry the
    slot index in b0's high nibble; hotkey and mouse rows keep theirs. */
void stampRowWithSlot (DeviceTableRow& row, int slotIndex) noexcept;

/** The 8-byte transfer form of a row: b0, b1 >> 4, b1 & 0x0F, b2..b6, every byte below 128. */
void writeTransferForm (const DeviceTableRow& row, juce::uint8* destination) noexcept;
} // namespace NsOrvelA
