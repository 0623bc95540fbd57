#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The model name of a product in the set of names in force (see variantNamesActive);
    "Unknown" when that set has no row for it. */
juce::String productName (int productId);
} // namespace talvor
