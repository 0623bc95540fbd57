#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The folder of the running executable followed by "/"; callers append their relative path. */
juce::String pathNextToExecutable();
} // namespace talvor
