#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <gtest/gtest.h>

namespace corvix::testing
{
/** A tree with everything that makes XML text awkward: quotes, ampersands, apostrophes, angle
    brackets, line breaks, tabs, control characters, characters of other scripts, malformed UTF-8,
    very long names and values, attribute lists long enough to wrap, empty values, numbers held as
    numbers and as texts, and node types of more than one script. */
juce::ValueTree makeAwkwardTree();

/** The framework's own text of a tree: createXml() followed by writeTo with the format. */
juce::MemoryBlock frameworkXmlOf (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format);

/** The framework's own reading of a text: parseXML followed by fromXml; invalid for no element. */
juce::ValueTree frameworkTreeOf (const juce::MemoryBlock& text);

/** Trees are identical when their binary forms are: the same node types, property names in the
    same order (twice where a name comes twice), the same value types and values, the same
    children. The framework's own equality takes 1 and "1" for the same value, and ignores order. */
::testing::AssertionResult identicalTrees (const juce::ValueTree& expected, const juce::ValueTree& actual);

/** The bytes of a block as text, to compare blocks and show where they differ. */
std::string bytesOf (const juce::MemoryBlock& block);
} // namespace corvix::testing
