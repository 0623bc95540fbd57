#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The product id a MIDI port or device name belongs to, 2000 when none. The name is trimmed and
    matched, ignoring case, against the ordered patterns of the set of names in force; the first
    pattern that fits decides, even when it stands for no product. */
int productIdFromDeviceName (const juce::String& deviceName);
} // namespace talvor
