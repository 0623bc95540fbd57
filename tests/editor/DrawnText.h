#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvix::testing
{
/** Paints the component (with its children) as the screen would and tells whether every
    character of the text, blanks aside, was drawn, in order, with lines broken only at blanks:
    false when the drawing cut the text short with an ellipsis, left part of it out or broke a word
    across two lines. An empty text is always drawn whole. */
bool drawsWhole (juce::Component& component, const juce::String& text);
} // namespace corvix::testing
