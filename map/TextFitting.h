#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** A button's display on the main unit is one cell of two rows of eight characters. */
constexpr int cellColumns = 8;
constexpr int cellRows = 2;

/** Lays a text out on a display cell: exactly columns × rows characters, words kept whole on one
    row where the room allows, the rest cut or padded with the fill character, which is also the
    separator between words. Sizes are clamped to 0..256, so no call can ask for a huge text. */
juce::String fitTextToCells (const juce::String& text, int columns = cellColumns, int rows = cellRows, juce::juce_wchar fill = ' ');

/** The pieces of a text between its separators; runs of separators and separators at either end
    give no empty pieces. An empty separator leaves the text whole. */
juce::Array<juce::String> splitAtSeparator (const juce::String& text, const juce::String& separator);

/** The four texts one after the other; a null pointer counts as the empty text. */
juce::String joinTexts (const char* first, const char* second, const char* third, const char* fourth);
} // namespace NsOrvelA
