#include "storage/MapXmlWriter.h"

#include "platform/WholeFileReplacement.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The writer gives the framework's bytes, proven against this release of the framework (and the
// pooling of names above relied on): an upgrade must prove both again before this number moves.
static_assert (JUCE_MAJOR_VERSION == 7 && JUCE_MINOR_VERSION == 0 && JUCE_BUILDNUMBER == 5,
               "the map writer was proven against JUCE 7.0.5: check it against the new release's XmlElement::writeTo");

namespace NsOrvelA
{
namespace
{
/** How the framework's writer treats each byte of a value: written as it is, escaped, or (a byte
    of a multi-byte character) decoded first and written as a character reference. */
enum class ByteClass : juce::uint8
{
    plain,
    escaped,
    nonAscii,
};

/** The characters the framework writes as they are; every other one is escaped. */
constexpr bool isPlainXmlCharacter (int c) noexcept
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' || c == ',' || c == ';'
           || c == ':' || c == '-' || c == '(' || c == ')' || c == '_' || c == '+' || c == '=' || c == '?' || c == '!' || c == '$'
           || c == '#' || c == '@' || c == '[' || c == ']' || c == '/' || c == '|' || c == '*' || c == '%' || c == '~' || c == '{'
           || c == '}' || c == '\'' || c == '\\';
}

constexpr std::array<ByteClass, 256> makeByteClasses() noexcept
{
    std::array<ByteClass, 256> classes{};

    for (int c = 0; c < 256; ++c)
        classes[static_cast<size_t> (c)] = c >= 0x80                 ? ByteClass::nonAscii
                                           : isPlainXmlCharacter (c) ? ByteClass::plain
                                                                     : ByteClass::escaped;

    return classes;
}

constexpr auto byteClasses = makeByteClasses();

/** The text being written: one growing block of bytes, or, with a sink, a block used again and
    again, its bytes handed on to the sink whenever it is full. */
class TextOutput
{
public:
    using Sink = std::function<bool (const char*, size_t)>;

    explicit TextOutput (juce::MemoryBlock& destinationToUse, Sink sinkToUse = {})
        : destination (destinationToUse), start (destination.getSize()), sink (std::move (sinkToUse))
    {
        used = start;

        if (sink != nullptr)
            destination.setSize (start + sinkBlockSize);
    }

    ~TextOutput() { destination.setSize (used); }

    TextOutput (const TextOutput&) = delete;
    TextOutput& operator= (const TextOutput&) = delete;

    /** How many bytes were written: a difference of two positions is the length of what lies
        between them, handed on or not. */
    size_t position() const noexcept { return handedOn + used; }

    void rewind() noexcept
    {
        used = start;
        handedOn = 0;
    }

    /** The bytes written since the position, while they are still in the block; none when some
        of them were handed on meanwhile. */
    const char* bytesSince (size_t earlierPosition) const noexcept
    {
        return earlierPosition >= handedOn ? static_cast<const char*> (destination.getData()) + start + (earlierPosition - handedOn)
                                           : nullptr;
    }

    /** Hands what is left in the block on to the sink; false when the sink refused any of it. */
    bool handOnTheRest()
    {
        handOn();
        return sinkTookEverything;
    }

    void append (const char* bytes, size_t count)
    {
        if (count == 0)
            return;

        auto* target = reserve (count);
        std::memcpy (target, bytes, count);
        used += count;
    }

    void append (const char* text) { append (text, std::strlen (text)); }
    void append (const juce::String& text) { append (text.toRawUTF8(), text.getNumBytesAsUTF8()); }

    void append (char c)
    {
        *reserve (1) = c;
        ++used;
    }

    void appendSpaces (size_t count)
    {
        if (count == 0)
            return;

        std::memset (reserve (count), ' ', count);
        used += count;
    }

    void appendDecimal (juce::int64 value)
    {
        char digits[24];
        auto* end = digits + sizeof (digits);
        auto* first = end;
        auto magnitude = value < 0 ? 0 - static_cast<juce::uint64> (value) : static_cast<juce::uint64> (value);

        do
        {
            *--first = static_cast<char> ('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);

        if (value < 0)
            *--first = '-';

        append (first, static_cast<size_t> (end - first));
    }

private:
    char* reserve (size_t count)
    {
        if (used + count > destination.getSize())
        {
            if (sink != nullptr)
                handOn();

            if (used + count > destination.getSize())
                destination.setSize (std::max (used + count, destination.getSize() * 2 + 4096));
        }

        return static_cast<char*> (destination.getData()) + used;
    }

    void handOn()
    {
        if (sink == nullptr || used == start)
            return;

        sinkTookEverything = sink (static_cast<const char*> (destination.getData()) + start, used - start) && sinkTookEverything;
        handedOn += used - start;
        used = start;
    }

    static constexpr size_t sinkBlockSize = size_t (1) << 20;

    juce::MemoryBlock& destination;
    const size_t start;
    size_t used;
    const Sink sink;
    size_t handedOn = 0;
    bool sinkTookEverything = true;
};

/** Writes the elements of a tree as the framework's XmlElement::writeElementAsText does. */
class ElementWriter
{
public:
    ElementWriter (TextOutput& outputToUse, int wrapLength, const char* newLineText)
        : output (outputToUse), lineWrapLength (wrapLength), newLine (newLineText)
    {
    }

    /** False when the tree holds something only the framework's own conversion gets right. */
    bool writeElement (const juce::ValueTree& node, int indentation)
    {
        if (indentation >= 0)
            output.appendSpaces (static_cast<size_t> (indentation));

        const auto typeName = node.getType();
        const auto& type = typeName.toString();
        const auto childCount = node.getNumChildren();

        if (childCount == 0)
            return writeElementWithoutChildren (node, type, indentation);

        output.append ('<');
        output.append (type);

        if (! writeAttributes (node, static_cast<size_t> (indentation + type.length() + 1), indentation >= 0))
            return false;

        output.append ('>');

        for (int i = 0; i < childCount; ++i)
        {
            if (indentation >= 0)
                output.append (newLine);

            if (! writeElement (node.getChild (i), indentation >= 0 ? indentation + 2 : -1))
                return false;
        }

        if (indentation >= 0)
        {
            output.append (newLine);
            output.appendSpaces (static_cast<size_t> (indentation));
        }

        output.append ("</", 2);
        output.append (type);
        output.append ('>');
        return true;
    }

private:
    bool writeAttributes (const juce::ValueTree& node, size_t attributeIndent, bool mayWrap)
    {
        return findValues (node, node.getNumProperties()) && writeFoundAttributes (attributeIndent, mayWrap);
    }

    /** An element without children. Such elements repeat (a map's entries: the same workstation
        maps in many slots and units), and those of the same names and values at the same
        indentation give the same bytes: they are made once and then copied. A value is known by
        the text it shares with the others (the trees of the system share each repeated text) or
        by its number; an element with any other value is written anew each time. */
    bool writeElementWithoutChildren (const juce::ValueTree& node, const juce::String& type, int indentation)
    {
        if (! findValues (node, node.getNumProperties()))
            return false;

        const auto hasKey = makeElementKey (type, indentation);

        if (hasKey)
            if (const auto written = repeats.find (elementKey); written != repeats.end())
            {
                output.append (written->second.data(), written->second.size());
                return true;
            }

        const auto startOfElement = output.position();
        output.append ('<');
        output.append (type);

        if (! writeFoundAttributes (static_cast<size_t> (indentation + type.length() + 1), indentation >= 0))
            return false;

        output.append ("/>", 2);

        if (hasKey && repeats.size() < mostRepeats)
            if (const auto* bytes = output.bytesSince (startOfElement))
                repeats.emplace (elementKey, std::string (bytes, output.position() - startOfElement));

        return true;
    }

    /** The element's type, indentation, names and values, each by its address or number. */
    bool makeElementKey (const juce::String& type, int indentation)
    {
        elementKey.clear();
        elementKey.push_back (reinterpret_cast<std::uintptr_t> (type.getCharPointer().getAddress()));
        elementKey.push_back (static_cast<std::uintptr_t> (indentation));

        for (size_t i = 0; i < names.size(); ++i)
        {
            const auto& value = *values[i];
            elementKey.push_back (reinterpret_cast<std::uintptr_t> (names[i].getCharPointer().getAddress()));

            if (value.isInt())
            {
                elementKey.push_back (1);
                elementKey.push_back (static_cast<std::uintptr_t> (static_cast<juce::int64> (static_cast<int> (value))));
            }
            else if (value.isString())
            {
                // The text lives as long as the tree, which the write does not change.
                elementKey.push_back (2);
                elementKey.push_back (reinterpret_cast<std::uintptr_t> (value.toString().getCharPointer().getAddress()));
            }
            else
            {
                return false;
            }
        }

        return true;
    }

    bool writeFoundAttributes (size_t attributeIndent, bool mayWrap)
    {
        const auto count = static_cast<int> (names.size());
        int lineLength = 0;

        for (int i = 0; i < count; ++i)
        {
            const auto& name = names[static_cast<size_t> (i)];
            const auto* value = values[static_cast<size_t> (i)];

            if (value->isBinaryData())
                return false;

            if (lineLength > lineWrapLength && mayWrap)
            {
                output.append (newLine);
                output.appendSpaces (attributeIndent);
                lineLength = 0;
            }

            const auto startOfAttribute = output.position();
            const auto& opening = openingOf (name);
            output.append (opening.data(), opening.size());

            if (value->isInt() || value->isInt64())
                output.appendDecimal (static_cast<juce::int64> (*value));
            else
                appendEscaped (value->toString()); // texts, and the framework's own texts of other values

            output.append ('"');
            lineLength += static_cast<int> (output.position() - startOfAttribute);
        }

        return true;
    }

    /** The node's names and values in property order. The names of the node before are tried
        first (a map's nodes of one kind have the same names in the same order), which spares
        copying each name out of the tree: when each of them is found and their values lie one
        after the other in the node's one array of properties, they are its names in its order. */
    bool findValues (const juce::ValueTree& node, int count)
    {
        values.resize (static_cast<size_t> (count));

        if (names.size() == static_cast<size_t> (count) && valuesLieInNameOrder (node))
            return true;

        names.clear();

        for (int i = 0; i < count; ++i)
            names.push_back (node.getPropertyName (i));

        return valuesLieInNameOrder (node);
    }

    /** The values lie in one array in property order, so each name's value lies past the last
        one's unless the name came before: then the framework would merge the two. */
    bool valuesLieInNameOrder (const juce::ValueTree& node)
    {
        const juce::var* previous = nullptr;

        for (size_t i = 0; i < names.size(); ++i)
        {
            const auto* value = node.getPropertyPointer (names[i]);

            if (value == nullptr || (previous != nullptr && ! std::less<const juce::var*>() (previous, value)))
                return false;

            values[i] = previous = value;
        }

        return true;
    }

    /** The framework's escapes for attribute values: the plain characters as they are, the five
        entities it knows, and every other character as a decimal character reference. */
    void appendEscaped (const juce::String& text)
    {
        auto* p = text.toRawUTF8();

        for (;;)
        {
            const auto* runStart = p;

            while (byteClasses[static_cast<juce::uint8> (*p)] == ByteClass::plain)
                ++p;

            if (p != runStart)
                output.append (runStart, static_cast<size_t> (p - runStart));

            const auto byte = static_cast<juce::uint8> (*p);

            if (byte == 0)
                return;

            juce::uint32 character = byte;

            if (byte >= 0x80)
            {
                // Decoded exactly as the framework decodes it, malformed sequences included.
                juce::CharPointer_UTF8 decoder (p);
                character = static_cast<juce::uint32> (decoder.getAndAdvance());
                p = decoder.getAddress();

                if (character == 0)
                    return;
            }
            else
            {
                ++p;
            }

            // A malformed sequence can decode to a character below 128: it is treated as such.
            if (character < 0x80 && byteClasses[character] == ByteClass::plain)
            {
                output.append (static_cast<char> (character));
                continue;
            }

            switch (character)
            {
                case '&':
                    output.append ("&amp;", 5);
                    break;
                case '"':
                    output.append ("&quot;", 6);
                    break;
                case '>':
                    output.append ("&gt;", 4);
                    break;
                case '<':
                    output.append ("&lt;", 4);
                    break;
                default:
                    output.append ("&#", 2);
                    output.appendDecimal (static_cast<int> (character));
                    output.append (';');
                    break;
            }
        }
    }

    /** The start of an attribute: a blank, the name, the equals sign and the quote. Kept per name,
        as the few names of a tree come back on every node. A name's text lives in the framework's
        pool of names while something holds the name; the pool releases unused names, after which
        the address may be given to another. The tree being written holds every name it uses for
        the whole write, and this writer lives for one write only, so within it an address is a
        name's key. */
    const std::string& openingOf (const juce::Identifier& name)
    {
        const auto* key = name.getCharPointer().getAddress();
        auto& slot = openings[(reinterpret_cast<std::uintptr_t> (key) >> 4) % openings.size()];

        if (slot.first != key)
        {
            slot.first = key;
            slot.second = " " + name.toString().toStdString() + "=\"";
        }

        return slot.second;
    }

    TextOutput& output;
    const int lineWrapLength;
    const char* const newLine;
    std::array<std::pair<const char*, std::string>, 64> openings{};
    std::vector<juce::Identifier> names;
    std::vector<const juce::var*> values;

    struct KeyHash
    {
        size_t operator() (const std::vector<std::uintptr_t>& key) const noexcept
        {
            std::uint64_t hash = 14695981039346656037ull;

            for (const auto word : key)
                hash = (hash ^ word) * 1099511628211ull;

            return static_cast<size_t> (hash ^ (hash >> 32));
        }
    };

    static constexpr size_t mostRepeats = 16384;
    std::vector<std::uintptr_t> elementKey;
    std::unordered_map<std::vector<std::uintptr_t>, std::string, KeyHash> repeats;
};

/** The declaration, the document type and the elements, as XmlElement::writeTo arranges them. */
bool writeDocument (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, TextOutput& output)
{
    const auto* newLine = format.newLineChars;

    const auto endHeaderLine = [&] (int newLines)
    {
        if (newLine == nullptr)
            output.append (' ');
        else
            for (int i = 0; i < newLines; ++i)
                output.append (newLine);
    };

    if (format.customHeader.isNotEmpty())
    {
        output.append (format.customHeader);
        endHeaderLine (2);
    }
    else if (format.addDefaultHeader)
    {
        output.append ("<?xml version=\"1.0\" encoding=\"");
        output.append (format.customEncoding.isNotEmpty() ? format.customEncoding : juce::String ("UTF-8"));
        output.append ("\"?>");
        endHeaderLine (2);
    }

    if (format.dtd.isNotEmpty())
    {
        output.append (format.dtd);
        endHeaderLine (1);
    }

    if (! ElementWriter (output, format.lineWrapLength, newLine).writeElement (tree, newLine == nullptr ? -1 : 0))
        return false;

    if (newLine != nullptr)
        output.append (newLine);

    return true;
}
} // namespace

juce::XmlElement::TextFormat mapFileFormat()
{
    juce::XmlElement::TextFormat format;
    format.dtd = {};
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return format;
}

juce::XmlElement::TextFormat settingsValueFormat() { return juce::XmlElement::TextFormat().singleLine().withoutHeader(); }

namespace
{
/** For a tree holding something only the framework converts exactly: it writes the whole document. */
void writeWithTheFramework (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, juce::MemoryBlock& destination)
{
    juce::MemoryOutputStream stream (destination, true);
    tree.createXml()->writeTo (stream, format);
}
} // namespace

bool MapXmlWriter::write (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, juce::MemoryBlock& destination)
{
    if (! tree.isValid())
        return false;

    {
        TextOutput output (destination);

        if (writeDocument (tree, format, output))
            return true;

        output.rewind();
    }

    writeWithTheFramework (tree, format, destination);
    return true;
}

juce::String MapXmlWriter::toString (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format)
{
    juce::MemoryBlock text;

    if (! write (tree, format, text))
        return {};

    const auto* bytes = static_cast<const char*> (text.getData());
    return juce::String (juce::CharPointer_UTF8 (bytes), juce::CharPointer_UTF8 (bytes + text.getSize()));
}

bool MapXmlWriter::writeToFile (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format, const juce::File& file,
                                juce::String* failureReason)
{
    if (! tree.isValid())
        return false;

    // The text goes into the file a block at a time as it is made, and on to the disk meanwhile:
    // no 20 MB buffer is made and grown, and the flush at the end has little left to wait for.
    talvor::WholeFileReplacement replacement (file);
    const auto written = [&replacement, failureReason] (bool done)
    {
        if (! done && failureReason != nullptr)
            *failureReason = replacement.failureReason();

        return done;
    };

    // No text is made for a file that cannot be written at all.
    if (replacement.failureReason().isNotEmpty())
        return written (false);

    juce::MemoryBlock block;

    {
        TextOutput output (block, [&replacement] (const char* bytes, size_t size) { return replacement.append (bytes, size); });

        if (writeDocument (tree, format, output))
            return written (output.handOnTheRest() && replacement.replace() == talvor::FileReplacement::replaced);
    }

    block.reset();
    writeWithTheFramework (tree, format, block);
    return written (replacement.restart() && replacement.append (block.getData(), block.getSize())
                    && replacement.replace() == talvor::FileReplacement::replaced);
}
} // namespace NsOrvelA
