#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace NsOrvelA
{
/** Reads a state tree from XML text straight into the tree, without the framework's element tree
    in between, and gives exactly the tree that XmlDocument followed by ValueTree::fromXml gives:
    the same node types, property names, order and values (texts, shared where they repeat).

    It reads elements, attributes in either quotes, the five named entities, decimal and hex
    character references, whitespace, comments, processing instructions, CDATA sections and other
    text (which the tree has no place for). Whatever else it meets — a document type, another
    entity, a malformed or unusual construct, a "base64:" property — it leaves to the framework,
    which then reads the whole text, so the result is always the framework's own. */
class MapXmlReader final
{
public:
    /** The tree of a file, as XmlDocument::parse (file) and fromXml give it: invalid when the file
        is missing, unreadable or holds no well-formed element. */
    static juce::ValueTree readFile (const juce::File& file);

    /** The tree of a text, as parseXML (text) and fromXml give it. `text` ends with a 0 byte at
        `length`, as a string's text does. */
    static juce::ValueTree readText (const char* text, size_t length);

    /** The tree when the reader handled every construct of the text itself; nothing when it left
        the text to the framework. `text[length]` must be 0. For tests and measurements. */
    static std::optional<juce::ValueTree> readWithoutFramework (const char* text, size_t length);
};
} // namespace NsOrvelA
