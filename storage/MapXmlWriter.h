#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace NsOrvelA
{
/** Map files are UTF-8 XML with the XML declaration, no document type and long attribute lists
    wrapped at 60 columns. */
juce::XmlElement::TextFormat mapFileFormat();

/** The settings file keeps the tree as one line of XML without a declaration. */
juce::XmlElement::TextFormat settingsValueFormat();

/** Writes a state tree as XML text straight from the tree, into one buffer, with exactly the bytes
    that the framework's createXml() followed by XmlElement::writeTo would give with the same
    format: the same declaration, indentation, attribute wrapping, escapes and number texts. A
    tree holding something that needs the framework's own conversion (a binary value, or a
    property name twice in one node, which only a strange file can give) is written by the
    framework itself, so the result is the same for every tree. */
class MapXmlWriter final
{
public:
    /** The text of the tree, appended to `destination`. False for an invalid tree, for which the
        framework gives no XML either. */
    static bool write (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, juce::MemoryBlock& destination);

    /** The text as a string, as XmlElement::toString would give it; empty for an invalid tree. */
    static juce::String toString (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format);

    /** Writes the file through a new file beside it that takes its place only once every byte is
        on the disk (talvor::replaceWholeFile). False when the tree is invalid or the file could not
        be written — a full disk, a folder that cannot be written, a read-only file — and then an
        existing file is left whole; `failureReason`, when given, then tells why in the system's
        words (empty for an invalid tree). */
    static bool writeToFile (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, const juce::File& file,
                             juce::String* failureReason = nullptr);
};
} // namespace NsOrvelA
