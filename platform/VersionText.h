#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The decimal value of the one character in front of the first "." of a version text: 1.68
    gives 1, 12.3 gives 2. No dot, a leading dot or a non-digit there gives 0. */
int digitBeforeFirstDot (const juce::String& text);
} // namespace talvor
