#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** A unit has 226 controls, ids 1..226. The 120 button controls proper are 33..152, five rows of
    24; knobs are 163..171 (163..170 under the HUI workstation, where 171 is a button); faders
    are 181..189. Every other control is a button too. */
constexpr int controlCount = 226;
constexpr int firstButtonControl = 33;
constexpr int lastButtonControl = 152;
constexpr int buttonsPerRow = 24;

/** Control classes: indices into the control kind names. Only these three occur in a map. */
constexpr int knobClass = 2;
constexpr int faderClass = 3;
constexpr int buttonClass = 4;

constexpr bool isControlIndex (int controlId) noexcept { return controlId >= 1 && controlId <= controlCount; }
constexpr bool isButtonControl (int controlId) noexcept { return controlId >= firstButtonControl && controlId <= lastButtonControl; }
constexpr bool isFaderControl (int controlId) noexcept { return controlId >= 181 && controlId <= 189; }

/** notHuiDaw: the workstation is not the HUI one, where 171 is a button rather than a knob. */
constexpr bool isKnobControl (int controlId, bool notHuiDaw) noexcept { return controlId >= 163 && controlId <= (notHuiDaw ? 171 : 170); }

constexpr bool isOtherControl (int controlId, bool notHuiDaw) noexcept
{
    return ! isKnobControl (controlId, notHuiDaw) && ! isFaderControl (controlId);
}

constexpr int controlClass (int controlId, bool notHuiDaw) noexcept
{
    return isKnobControl (controlId, notHuiDaw) ? knobClass : (isFaderControl (controlId) ? faderClass : buttonClass);
}

/** A unit's device table has 224 rows, one for each physical control that sends something. */
constexpr int deviceTableRowCount = 224;

/** The row (0..223) of the unit's device table that a control owns, -1 for none
    (192..226 and ids outside 1..226). */
int controlTableRow (int controlId) noexcept;

/** "keyboard", "pad", "knob", "fader", "button", "pedal", "other" by class; empty outside 0..6. */
juce::String controlKindName (int controlClassIndex);

/** How many values the editor offers for a control of a class: 1 but for the HUI workstation,
    where knobs have 8, faders 9 and buttons the 114 HUI codes. */
int valueChoiceCount (int dawId, int controlClassIndex) noexcept;
} // namespace NsOrvelA
