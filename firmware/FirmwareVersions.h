#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace talvor
{
/** A version text as a number, read from the one character in front of the first "." and up to
    three characters after it: 1.68 gives 1.68, R1.68 gives 1.68, 1.23456 gives 1.234, 12.5 gives
    2.5. No "." or a leading "." gives 0. */
float versionToFloat (const juce::String& versionText);

/** The "fw" of the catalogue entry with the highest "version"; of equal versions the earlier
    entry wins. Empty when the catalogue has no entries. */
juce::String latestFirmwareFile (const juce::ValueTree& catalogue);
} // namespace talvor
