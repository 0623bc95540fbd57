#pragma once

#include "devices/ProductIds.h"
#include "map/ControlButton.h"
#include "map/ControlLayout.h"
#include "map/EditorHooks.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

#include <array>
#include <atomic>

namespace NsOrvelA
{
/** The process-wide state that the editor, the device link and the device-watch timer share.
    Every variable exists once, starts with the value given here and lives until the process ends.
    Slot-indexed arrays are indexed by slot id - 1; test the id with isSlotId before indexing.

    Everything here is used on the message thread only, except slotFaderUnlocked, which the MIDI
    input thread writes when a unit reports the fader lock of a slot. */

/** Device tables travel in their transfer form: 224 rows of 8 bytes, every byte below 128. */
constexpr int deviceTableTransferRowSize = 8;
constexpr int deviceTableTransferSize = deviceTableRowCount * deviceTableTransferRowSize;

/** The main unit shows a 16-character text beside each of its 120 button controls, sent to it in
    10 groups of 12 texts. */
constexpr int labelGroupCount = 10;
constexpr int labelsPerGroup = 12;
constexpr int labelTextLength = 16;

using DeviceTableBuffer = std::array<juce::uint8, deviceTableTransferSize>;
using SlotLabelGroups = std::array<juce::StringArray, labelGroupCount>;

/** The one editor; null while there is none. The editor sets and clears it itself. */
inline EditorHooks* currentEditor = nullptr;

/** Product id of the unit model being edited. */
inline int currentModelId = talvor::productIds::orvelA;

/** The selected control's button; null until the editor selects one. */
inline ControlButton* currentControl = nullptr;

/** The selected slot 1..3, the same for every unit. */
inline int currentSlotId = 1;

/** The workstation id 1..18 of each slot, 0 while the slot has none; the same for every unit. */
inline std::array<int, slotCount> slotDawIds = { 0, 0, 0 };

/** The three on/off options ("daw1", "daw2", "daw3") of each slot: [slot index][option index]. */
inline std::array<std::array<int, slotCount>, slotCount> slotOptionFlags = { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

/** 0 when the units reported the faders of the slot locked. Written by the MIDI input thread
    before it publishes the report's pending flag. */
inline std::array<std::atomic<juce::uint8>, slotCount> slotFaderUnlocked = { { { 1 }, { 1 }, { 1 } } };

/** The number of fader strips the mixer lays out: 9 for the main unit, 8 for the extenders. */
inline int mixerStripCount = 9;

/** Makes the next mixer refresh rewrite the slot captions. */
inline bool slotCaptionRefresh = false;

/** The slot's map changed and waits for upload. */
inline std::array<juce::uint8, slotCount> slotDirty = { 0, 0, 0 };

/** The slot is being uploaded; an edit meanwhile marks it dirty again. */
inline std::array<juce::uint8, slotCount> slotSending = { 0, 0, 0 };

/** A conversation with a unit is running. */
inline juce::uint8 transferBusy = 0;

/** "SAVE AS DEFAULT" was pressed and the timer has not yet carried it out. */
inline juce::uint8 saveDefaultsPending = 0;

/** The transfer form of each slot's device table: [unit index][slot index], all bytes 0 at start. */
inline std::array<std::array<DeviceTableBuffer, slotCount>, unitCount> deviceTableBuffers{};

/** The display texts of the main unit's button controls: [slot index][group], 12 texts each,
    exactly 16 characters; every text 16 blanks at start. */
std::array<SlotLabelGroups, slotCount> makeBlankSlotLabelTexts();
inline std::array<SlotLabelGroups, slotCount> slotLabelTexts = makeBlankSlotLabelTexts();

/** The last computed signature of each slot: [unit index][slot index]. */
inline std::array<std::array<int, slotCount>, unitCount> slotSignatures{};

/** Whether the device-watch timer keeps a unit's MIDI input open. */
inline juce::uint8 keepInputOpen = 1;

/** The function names in use in the current slot's workstation map, after the transport labels;
    the function page disables the functions in it. Rebuilt by collectAssignedFunctionNames. */
inline juce::Array<juce::String> usedFunctionNames;

/** Puts every variable above, every reply slot and every unit report back to its start value.
    The program never needs it; tests do, so that no test sees another's traces. A variable added
    here belongs in it too. Message thread only, while no MIDI input is open. */
void resetSharedEditingState();
} // namespace NsOrvelA
