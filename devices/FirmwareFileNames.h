#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** True when a firmware file name (lower-cased and trimmed by the caller) fits the product:
    it matches one of the product's file-name patterns, ignoring case. A product without
    patterns accepts every name. */
bool fileNameMatchesProduct (const juce::String& fileName, int productId);
} // namespace talvor
