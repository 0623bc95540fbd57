#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** The functions the FUNCTION page shows, in button order: their names and, at the same
    positions, their codes. Rebuilt whenever the page is filled for a workstation; the mixer
    section turns a function name into its code through them. */
inline juce::StringArray shownFunctionNames;
inline juce::Array<int> shownFunctionCodes;
} // namespace NsOrvelA
