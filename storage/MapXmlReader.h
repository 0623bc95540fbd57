#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace NsOrvelA
{
/** Reads a map file, or the map the settings file keeps, straight into a state tree. A text it
    accepts gives exactly the tree that the framework's XmlDocument followed by ValueTree::fromXml
    would give: the same node types, property names, order and values (texts, shared where they
    repeat). What is not a map is refused, never handed to another parser: the framework's own
    parser hangs, overflows its stack and reads past the end of its text on hostile input.

    It reads elements, attributes in either quotes, the five named entities, decimal and hex
    character references, whitespace, comments, processing instructions and CDATA sections (text,
    which the tree has no place for, is stepped over). It refuses a document type, any other entity,
    text holding an entity, text that is not well-formed UTF-8, a property named twice in one
    element (there is no right choice between the two values), a "base64:" property, more than
    256 properties on an element, elements nested deeper than a map's five levels, and anything
    malformed. */
class MapXmlReader final
{
public:
    /** The tree of a map file; invalid when the file is missing, unreadable or not a map as above.
        A UTF-8 byte-order mark is skipped. */
    static juce::ValueTree readFile (const juce::File& file);

    /** The tree of a text; invalid when it is not a map as above. Text ends at the first 0 byte,
        and `text[length]` must be 0, as a string's text is. */
    static juce::ValueTree readText (const char* text, size_t length);

    /** How deeply a map's elements nest: "store", "model", "slot", "mode", "ctl". */
    static constexpr int deepestMapNesting = 5;
};
} // namespace NsOrvelA
