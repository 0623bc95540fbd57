#include "storage/MapXmlReader.h"

#include <array>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

// A tree read here equals the framework's own reading of the same text, proven against this release
// of the framework: an upgrade must prove it again before this number moves.
static_assert (JUCE_MAJOR_VERSION == 7 && JUCE_MINOR_VERSION == 0 && JUCE_BUILDNUMBER == 5,
               "the map reader was proven against JUCE 7.0.5: check it against the new release's XmlDocument and fromXml");

namespace NsOrvelA
{
namespace
{
constexpr int mostAttributes = 256;

bool isAsciiWhitespace (char c) noexcept { return c == ' ' || (c >= 9 && c <= 13); }

/** The characters the framework takes into a tag or attribute name (below 128). */
bool isNameCharacter (char c) noexcept
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == ':' || c == '.';
}

juce::uint64 hashOf (const char* bytes, size_t length) noexcept
{
    juce::uint64 hash = 14695981039346656037ull;

    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<juce::uint8> (bytes[i])) * 1099511628211ull;

    return hash;
}

/** Names made once per distinct text: the framework pools them, so equal texts give the same
    Identifier either way, but making one costs a look-up in the global pool. */
class NameCache
{
public:
    const juce::Identifier& get (const char* start, const char* end)
    {
        const auto length = static_cast<size_t> (end - start);
        const auto hash = hashOf (start, length);

        for (size_t probe = 0; probe < slots.size(); ++probe)
        {
            auto& slot = slots[(hash + probe) & (slots.size() - 1)];

            if (slot.length == 0)
            {
                slot = { hash, length, juce::Identifier (juce::String (juce::CharPointer_UTF8 (start), juce::CharPointer_UTF8 (end))) };
                return slot.name;
            }

            if (slot.hash == hash && slot.length == length && std::memcmp (slot.name.getCharPointer().getAddress(), start, length) == 0)
                return slot.name;
        }

        uncached = juce::Identifier (juce::String (juce::CharPointer_UTF8 (start), juce::CharPointer_UTF8 (end)));
        return uncached;
    }

private:
    struct Slot
    {
        juce::uint64 hash = 0;
        size_t length = 0;
        juce::Identifier name;
    };

    std::array<Slot, 256> slots;
    juce::Identifier uncached;
};

/** Values that repeat share one text, as the trees the system builds do. The framework would make
    a text for each; the trees are equal either way, and sharing saves much of the memory. */
class ValueCache
{
public:
    const juce::var& get (const char* start, size_t length)
    {
        if (length > longestShared)
        {
            uncached = juce::String (juce::CharPointer_UTF8 (start), juce::CharPointer_UTF8 (start + length));
            return uncached;
        }

        const auto hash = hashOf (start, length);
        auto& slot = slots[hash & (slots.size() - 1)];

        if (! (slot.hash == hash && slot.length == length && std::memcmp (slot.text.toRawUTF8(), start, length) == 0))
        {
            slot.hash = hash;
            slot.length = length;
            slot.text = juce::String (juce::CharPointer_UTF8 (start), juce::CharPointer_UTF8 (start + length));
            slot.value = slot.text;
        }

        return slot.value;
    }

private:
    static constexpr size_t longestShared = 64;

    struct Slot
    {
        juce::uint64 hash = ~juce::uint64 (0);
        size_t length = ~size_t (0);
        juce::String text;
        juce::var value;
    };

    std::vector<Slot> slots = std::vector<Slot> (16384);
    juce::var uncached;
};

//==============================================================================
/** Elements without children whose text repeats byte for byte (a map's entries mostly do: the
    same workstation map in many slots and units) are read once; every repeat becomes a copy of the
    node read first, which makes the node's property array in one step instead of setting each
    property, searching the ones already set and telling the parents each time. The same bytes at
    the same depth give the same node, so the tree is the one the parse would give. */
class RepeatedElements
{
public:
    /** A node read earlier from the same bytes as the element at `text`, with the length of its
        text; none when there is none. */
    std::pair<const juce::ValueTree*, size_t> find (const char* text) const noexcept
    {
        const auto key = keyOf (text);

        for (size_t probe = 0; probe < maximumProbes; ++probe)
        {
            const auto& slot = slots[(key + probe) & (slots.size() - 1)];

            if (slot.length == 0)
                break;

            // The cached text has no 0 byte, so the comparison stops at the end of the text.
            if (slot.key == key && std::strncmp (text, slot.text, slot.length) == 0)
                return { &slot.node, slot.length };
        }

        return { nullptr, 0 };
    }

    void add (const char* text, size_t length, const juce::ValueTree& node)
    {
        if (filled >= slots.size() / 2)
            return;

        const auto key = keyOf (text);

        for (size_t probe = 0; probe < maximumProbes; ++probe)
        {
            auto& slot = slots[(key + probe) & (slots.size() - 1)];

            if (slot.length == 0)
            {
                slot = { key, text, length, node };
                ++filled;
                return;
            }
        }
    }

private:
    /** The first bytes of an element tell most apart; the rest is compared on a match. */
    static juce::uint64 keyOf (const char* text) noexcept
    {
        const auto* end = text;

        while (end - text < keyLength && *end != 0)
            ++end;

        return hashOf (text, static_cast<size_t> (end - text));
    }

    static constexpr std::ptrdiff_t keyLength = 48;
    static constexpr size_t maximumProbes = 16;

    struct Slot
    {
        juce::uint64 key = 0;
        const char* text = nullptr;
        size_t length = 0;
        juce::ValueTree node;
    };

    std::vector<Slot> slots = std::vector<Slot> (16384);
    size_t filled = 0;
};

//==============================================================================
/** The parser. Any construct it does not take on makes it give up, and the text is refused.
    Text ends at the first 0 byte. */
class Parser
{
public:
    explicit Parser (const char* text) : p (text) {}

    std::optional<juce::ValueTree> parseDocument()
    {
        if (! skipMisc() || std::strncmp (p, "<!DOCTYPE", 9) == 0)
            return {};

        juce::ValueTree root;

        if (*p != '<' || ! isNameCharacter (p[1]) || ! parseElement (root, nullptr, 0))
            return {};

        return root; // the framework ignores whatever follows the document element
    }

private:
    /** Steps over one well-formed UTF-8 character of two to four bytes; false for anything else
        (a stray continuation byte, a missing one, an overlong form, a surrogate, a code past
        U+10FFFF). The framework decodes such bytes in ways that differ between its own readers,
        so a map holding them has no one meaning. */
    bool stepOverNonAscii() noexcept
    {
        const auto byte = [this] (int i) { return static_cast<juce::uint8> (p[i]); };
        const auto lead = byte (0);
        const auto isContinuation = [&] (int i) { return (byte (i) & 0xc0) == 0x80; };
        int length = 0;

        if (lead >= 0xc2 && lead <= 0xdf)
            length = 2;
        else if (lead >= 0xe0 && lead <= 0xef)
            length = 3;
        else if (lead >= 0xf0 && lead <= 0xf4)
            length = 4;
        else
            return false;

        for (int i = 1; i < length; ++i)
            if (! isContinuation (i))
                return false;

        const auto second = byte (1);

        if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) || (lead == 0xf0 && second < 0x90)
            || (lead == 0xf4 && second > 0x8f))
            return false;

        p += length;
        return true;
    }

    /** Moves past the next occurrence of the terminator; false when there is none. */
    bool skipPast (const char* terminator)
    {
        const auto length = std::strlen (terminator);

        while (*p != 0)
        {
            if (std::strncmp (p, terminator, length) == 0)
            {
                p += length;
                return true;
            }

            if (static_cast<juce::uint8> (*p) >= 0x80)
            {
                if (! stepOverNonAscii())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        return false;
    }

    /** Whitespace, comments and processing instructions, as the framework skips them between
        the parts of a document; false when one of them is not closed, or when a character might
        count as whitespace or not depending on the machine's locale. */
    bool skipMisc()
    {
        for (;;)
        {
            while (isAsciiWhitespace (*p))
                ++p;

            if (p[0] == '<' && p[1] == '!' && p[2] == '-' && p[3] == '-')
            {
                p += 4;

                if (! skipPast ("-->"))
                    return false;
            }
            else if (p[0] == '<' && p[1] == '?')
            {
                p += 2;

                if (! skipPast ("?>"))
                    return false;
            }
            else
            {
                const auto c = static_cast<juce::uint8> (*p);
                return c == '<' || c == 0 || (c > ' ' && c < 0x7f);
            }
        }
    }

    /** Whitespace inside a tag; false for anything the framework would also skip there but this
        reader does not (comments, processing instructions, characters of the locale). */
    bool skipSpaceInTag() noexcept
    {
        while (isAsciiWhitespace (*p))
            ++p;

        const auto c = static_cast<juce::uint8> (*p);
        return c != '<' && c > ' ' && c < 0x7f;
    }

    const char* parseName() noexcept
    {
        while (isNameCharacter (*p))
            ++p;

        return p;
    }

    /** An element and all it holds. The node goes into its parent before its children are read,
        so that adding it does not walk a whole subtree; the tree comes out the same. */
    bool parseElement (juce::ValueTree& node, juce::ValueTree* parent, int depth)
    {
        if (depth >= MapXmlReader::deepestMapNesting)
            return false;

        const auto* const elementStart = p;

        if (const auto [repeated, length] = repeats.find (elementStart); repeated != nullptr)
        {
            node = repeated->createCopy();
            p += length;

            if (parent != nullptr)
                parent->appendChild (node, nullptr);

            return true;
        }

        const auto* nameStart = ++p;
        const auto* nameEnd = parseName();

        if (static_cast<juce::uint8> (*nameEnd) >= 0x80)
            return false; // the name might go on with letters of other scripts

        node = juce::ValueTree (names.get (nameStart, nameEnd));
        int count = 0;
        bool hasContent = false;

        for (;;)
        {
            if (! skipSpaceInTag())
                return false;

            if (p[0] == '/' && p[1] == '>')
            {
                p += 2;
                break;
            }

            if (*p == '>')
            {
                ++p;
                hasContent = true;
                break;
            }

            if (! isNameCharacter (*p) || ++count > mostAttributes || ! parseAttribute (node))
                return false;
        }

        // A name that came twice: the framework keeps both, uploads use one and a save writes
        // the other, so the file has no one meaning.
        if (node.getNumProperties() != count)
            return false;

        if (parent != nullptr)
            parent->appendChild (node, nullptr);

        if (! hasContent)
        {
            repeats.add (elementStart, static_cast<size_t> (p - elementStart), node);
            return true;
        }

        return parseContent (node, nameStart, static_cast<size_t> (nameEnd - nameStart), depth);
    }

    bool parseAttribute (juce::ValueTree& node)
    {
        const auto* nameStart = p;
        const auto* nameEnd = parseName();

        if (static_cast<juce::uint8> (*nameEnd) >= 0x80 || std::strncmp (nameStart, "base64:", 7) == 0)
            return false; // binary data, which a map never holds

        if (! skipSpaceInTag() || *p != '=')
            return false;

        ++p;

        if (! skipSpaceInTag() || (*p != '"' && *p != '\''))
            return false;

        const auto quote = *p++;
        const auto* valueStart = p;
        decoded.clear();
        bool hasEntities = false;

        for (;;)
        {
            const auto c = *p;

            if (c == quote)
                break;

            if (c == 0)
                return false;

            if (c == '&')
            {
                decoded.append (valueStart, p);

                if (! parseEntity())
                    return false;

                hasEntities = true;
                valueStart = p;
            }
            else if (static_cast<juce::uint8> (c) >= 0x80)
            {
                if (! stepOverNonAscii())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        if (hasEntities)
            decoded.append (valueStart, p);

        const auto& value =
            hasEntities ? values.get (decoded.data(), decoded.size()) : values.get (valueStart, static_cast<size_t> (p - valueStart));
        node.setProperty (names.get (nameStart, nameEnd), value, nullptr);
        ++p;
        return true;
    }

    /** One entity of an attribute value, appended to `decoded`; false for anything but the five
        named ones and character references of a real character. */
    bool parseEntity()
    {
        ++p; // the ampersand

        static const std::pair<const char*, char> named[] = {
            { "amp;", '&' }, { "quot;", '"' }, { "apos;", '\'' }, { "lt;", '<' }, { "gt;", '>' }
        };

        for (const auto& [text, character] : named)
        {
            const auto length = std::strlen (text);

            if (juce::CharPointer_UTF8 (p).compareIgnoreCaseUpTo (juce::CharPointer_ASCII (text), static_cast<int> (length)) == 0)
            {
                p += length;
                decoded.push_back (character);
                return true;
            }
        }

        if (*p != '#')
            return false;

        ++p;
        juce::int64 code = 0;
        int digits = 0;

        if (*p == 'x' || *p == 'X')
        {
            for (++p; *p != ';'; ++p, ++digits)
            {
                const auto digit = juce::CharacterFunctions::getHexDigitValue (static_cast<juce::juce_wchar> (*p));

                if (digit < 0 || digits == 8)
                    return false;

                code = code * 16 + digit;
            }
        }
        else
        {
            for (; *p != ';'; ++p, ++digits)
            {
                if (*p < '0' || *p > '9' || digits == 12)
                    return false;

                code = code * 10 + (*p - '0');
            }
        }

        if (digits == 0 || code <= 0 || code > 0x10ffff)
            return false;

        ++p; // the semicolon
        char encoded[8] = {};
        juce::CharPointer_UTF8 writer (encoded);
        writer.write (static_cast<juce::juce_wchar> (code));
        decoded.append (encoded, writer.getAddress());
        return true;
    }

    /** The children of an element up to its closing tag. Text, comments, processing instructions
        and CDATA sections have no place in the tree and are stepped over. */
    bool parseContent (juce::ValueTree& node, const char* name, size_t nameLength, int depth)
    {
        for (;;)
        {
            const auto c = *p;

            if (c == 0 || c == '&')
                return false;

            if (c != '<')
            {
                if (static_cast<juce::uint8> (c) >= 0x80)
                {
                    if (! stepOverNonAscii())
                        return false;
                }
                else
                {
                    ++p;
                }

                continue;
            }

            if (p[1] == '/')
            {
                p += 2;

                if (std::strncmp (p, name, nameLength) != 0 || isNameCharacter (p[nameLength]))
                    return false;

                p += nameLength;

                while (isAsciiWhitespace (*p))
                    ++p;

                if (*p != '>')
                    return false;

                ++p;
                return true;
            }

            if (std::strncmp (p, "<!--", 4) == 0)
            {
                p += 4;

                if (! skipPast ("-->"))
                    return false;
            }
            else if (std::strncmp (p, "<![CDATA[", 9) == 0)
            {
                p += 9;

                if (! skipPast ("]]>"))
                    return false;
            }
            else if (p[1] == '?')
            {
                p += 2;

                if (! skipPast ("?>"))
                    return false;
            }
            else if (isNameCharacter (p[1]))
            {
                juce::ValueTree child;

                if (! parseElement (child, &node, depth + 1))
                    return false;
            }
            else
            {
                return false;
            }
        }
    }

    const char* p;
    NameCache names;
    ValueCache values;
    RepeatedElements repeats;
    std::string decoded;
};

} // namespace

juce::ValueTree MapXmlReader::readText (const char* text, size_t length)
{
    jassert (text[length] == 0);
    juce::ignoreUnused (length);
    return Parser (text).parseDocument().value_or (juce::ValueTree());
}

juce::ValueTree MapXmlReader::readFile (const juce::File& file)
{
    // Read into a block one byte longer than the file, for the terminator: appending it to the
    // file's bytes afterwards would copy all 20 MB of a map once more.
    juce::FileInputStream in (file);
    const auto size = in.openedOk() && file.existsAsFile() ? in.getTotalLength() : -1;

    if (size < 0 || size >= std::numeric_limits<int>::max())
        return {};

    juce::MemoryBlock bytes (static_cast<size_t> (size) + 1);
    auto* text = static_cast<char*> (bytes.getData());

    if (in.read (text, static_cast<int> (size)) != static_cast<int> (size))
        return {};

    text[size] = 0;
    auto length = static_cast<size_t> (size);

    if (length >= 3 && juce::CharPointer_UTF8::isByteOrderMark (text))
    {
        text += 3;
        length -= 3;
    }

    return readText (text, length);
}
} // namespace NsOrvelA
