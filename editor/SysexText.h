#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace NsOrvelA
{
/** Reads the hexadecimal text of the manual System Exclusive send: blanks are taken out, then
    every pair of characters is one byte, the low 8 bits of the hexadecimal number its digits make
    (other characters are ignored; a pair without a digit is 0). Nothing when the text without its
    blanks has an odd length; an empty list for an empty text. */
std::optional<std::vector<juce::uint8>> parseSysexText (const juce::String& text);
} // namespace NsOrvelA
