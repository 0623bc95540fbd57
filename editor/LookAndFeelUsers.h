#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** Detaches every component in the tree below (and including) root from the given look-and-feel
    objects. An owner calls it in its destructor, before its look-and-feel members go: the
    framework asserts when a look-and-feel is destroyed while a component still uses it. */
void detachLookAndFeel (juce::Component& root, std::initializer_list<const juce::LookAndFeel*> looks);
} // namespace NsOrvelA
