#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The form in which whole files are read and written and on which byte digests work. */
using ByteList = juce::Array<juce::uint8>;
} // namespace talvor
