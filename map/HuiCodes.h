#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** The HUI workstation's functions are numbered 0..113; each number stands for a (zone, port)
    pair of the HUI protocol. 0 and 113 are (-1, -1), a pair no real zone matches. */
constexpr int huiCodeCount = 114;

struct HuiZonePort
{
    int zone;
    int port;
};

/** The (zone, port) of a HUI code; (-1, -1) outside 0..113. */
HuiZonePort huiZonePort (int huiCode) noexcept;

/** The HUI code of a (zone, port). Zones of 32 and above are faders and knobs, whose zone
    carries high bits: for them the port itself is the code. Otherwise the first code with that
    pair, and 0 when none has it. */
int huiCodeIndex (int zone, int port) noexcept;

/** Controls with a fixed or special HUI function, and the labels they carry at the same
    positions. The first six are buttons whose function the user cannot change under HUI. */
constexpr int huiSpecialControlCount = 8;
constexpr int huiSpecialControls[huiSpecialControlCount] = { 34, 35, 36, 37, 46, 74, 180, 189 };
extern const char* const pluginFunctionLabels[huiSpecialControlCount];

/** The label of a HUI special control, the empty text for any other control. */
juce::String pluginFunctionLabelOf (int controlId);
} // namespace NsOrvelA
