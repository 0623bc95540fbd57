#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** Every workstation but the HUI one numbers its functions by the note the unit sends for them,
    0..127; the HUI workstation numbers them by HUI code (0..113). A name fits one display cell
    (16 characters); a blank inside it marks where the cell may break it between its two rows. */
constexpr int functionCodeCount = 128;
constexpr int huiFaderCount = 9;
constexpr int huiKnobCount = 8;

/** The name of a workstation's function: by note number for workstations other than 3, by HUI
    code for workstation 3. The empty text where the code has no function, and for any workstation
    id outside 1..18 or code outside the table. */
juce::String workstationFunctionNames (int dawId, int code);

/** The HUI workstation's fader functions, "Volume 1" .. "Volume 8", "volumeM"; empty outside 0..8. */
juce::String huiFaderNames (int index);

/** The HUI workstation's knob functions, "Pan 1" .. "Pan 8"; empty outside 0..7. */
juce::String huiKnobNames (int index);
} // namespace NsOrvelA
