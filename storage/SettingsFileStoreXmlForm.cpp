#include "storage/SettingsFileStoreXmlForm.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace NsOrvelA
{
namespace
{
constexpr std::ptrdiff_t firstBytesLooked = 8192;

/** One pass over the document; every step moves forward or fails, so no input can hang it. */
class Scanner final
{
public:
    Scanner (const char* bytes, size_t size) : position (bytes), end (bytes + size) {}

    bool atEnd() const { return position >= end; }
    bool at (std::string_view text) const
    {
        return static_cast<size_t> (end - position) >= text.size() && std::memcmp (position, text.data(), text.size()) == 0;
    }
    const char* here() const { return position; }
    void rewindTo (const char* earlier) { position = earlier; }

    void skipSpace()
    {
        while (! atEnd() && isSpace (*position))
            ++position;
    }

    bool skipPast (std::string_view terminator)
    {
        const std::string_view rest (position, static_cast<size_t> (end - position));
        const auto found = rest.find (terminator);

        if (found == std::string_view::npos)
            return false;

        position += found + terminator.size();
        return true;
    }

    /** Steps over a comment, a CDATA section or a processing instruction; true when one was there
        (ok tells whether it was closed, and is false for a CDATA section where only space may stand). */
    bool skipNonElement (bool& ok, bool onlySpace = false)
    {
        for (const auto& [start, stop] :
             { std::pair<std::string_view, std::string_view>{ "<!--", "-->" }, { "<![CDATA[", "]]>" }, { "<?", "?>" } })
            if (at (start))
            {
                position += start.size();
                ok = skipPast (stop) && ! (onlySpace && start == "<![CDATA[");
                return true;
            }

        return false;
    }

    /** Steps over text up to the next markup. False at the end, at an entity the framework would
        not read as one character (it takes a stray "&" to run to the next ";" anywhere after it,
        markup included, or refuses the document when there is none), and at anything but space
        where only space may stand. */
    bool skipText (bool onlySpace = false)
    {
        const auto* start = position;

        while (! atEnd() && *position != '<')
        {
            if (onlySpace && ! isSpace (*position))
                return false;

            ++position;
        }

        std::string decoded;
        return ! atEnd() && decode (std::string_view (start, static_cast<size_t> (position - start)), decoded);
    }

    /** A name as the framework reads one; any other byte ends it. A byte outside ASCII is not
        taken: whether the framework reads it as part of a name, or as the space after one,
        depends on the locale. */
    bool readName (std::string_view& name)
    {
        const auto* start = position;

        while (! atEnd() && isNameCharacter (*position))
            ++position;

        name = std::string_view (start, static_cast<size_t> (position - start));
        return ! name.empty();
    }

    /** Reads a start tag from its name on: the attributes, then ">" or "/>". Of an attribute that
        comes twice, the first is taken, as the framework takes it. */
    bool readStartTag (std::string_view& name, bool& closed, std::optional<std::string>* nameValue = nullptr,
                       std::optional<std::string>* valValue = nullptr)
    {
        if (! readName (name))
            return false;

        for (;;)
        {
            skipSpace();

            if (at ("/>"))
            {
                position += 2;
                closed = true;
                return true;
            }

            if (at (">"))
            {
                ++position;
                closed = false;
                return true;
            }

            std::string_view attribute;

            if (! readName (attribute))
                return false;

            skipSpace();

            if (atEnd() || *position != '=')
                return false;

            ++position;
            skipSpace();

            if (atEnd() || (*position != '"' && *position != '\''))
                return false;

            const auto quote = *position++;
            const auto* start = position;

            while (! atEnd() && *position != quote)
                ++position;

            if (atEnd())
                return false;

            const std::string_view raw (start, static_cast<size_t> (position - start));
            ++position;
            std::string decoded;

            if (! decode (raw, decoded))
                return false;

            auto* const taken = attribute == "name" ? nameValue : attribute == "val" ? valValue : nullptr;

            if (taken != nullptr && ! taken->has_value())
                *taken = std::move (decoded);
        }
    }

    /** Reads an end tag after its "</"; true when it names the element. */
    bool readEndTag (std::string_view expected)
    {
        std::string_view name;

        if (! readName (name) || name != expected)
            return false;

        skipSpace();

        if (atEnd() || *position != '>')
            return false;

        ++position;
        return true;
    }

    enum class Tag
    {
        start, // at its "<"
        end, // just after its "</"
        malformed // or the end of the text
    };

    /** Steps over text, comments, CDATA sections and processing instructions to the next tag;
        where only space may stand, text or a CDATA section is malformed. */
    Tag nextTag (bool onlySpace = false)
    {
        for (;;)
        {
            if (! skipText (onlySpace))
                return Tag::malformed;

            auto ok = true;

            if (skipNonElement (ok, onlySpace))
            {
                if (! ok)
                    return Tag::malformed;

                continue;
            }

            if (at ("</"))
            {
                position += 2;
                return Tag::end;
            }

            return at ("<!") ? Tag::malformed : Tag::start;
        }
    }

    /** Steps over a whole element from its "<", the elements inside it matched by a stack of names. */
    bool skipElement()
    {
        std::vector<std::string_view> open;

        do
        {
            const auto tag = nextTag();

            if (tag == Tag::malformed)
                return false;

            if (tag == Tag::end)
            {
                if (open.empty() || ! readEndTag (open.back()))
                    return false;

                open.pop_back();
                continue;
            }

            ++position;
            std::string_view name;
            auto closed = false;

            if (! readStartTag (name, closed))
                return false;

            if (! closed)
                open.push_back (name);
        } while (! open.empty());

        return true;
    }

private:
    static bool isSpace (char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    static bool isNameCharacter (char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c != 0 && std::strchr ("_-:.", c) != nullptr);
    }

    static void appendUtf8 (std::string& out, unsigned long code)
    {
        if (code < 0x80)
            out += static_cast<char> (code);
        else if (code < 0x800)
        {
            out += static_cast<char> (0xc0 | (code >> 6));
            out += static_cast<char> (0x80 | (code & 0x3f));
        }
        else if (code < 0x10000)
        {
            out += static_cast<char> (0xe0 | (code >> 12));
            out += static_cast<char> (0x80 | ((code >> 6) & 0x3f));
            out += static_cast<char> (0x80 | (code & 0x3f));
        }
        else
        {
            out += static_cast<char> (0xf0 | (code >> 18));
            out += static_cast<char> (0x80 | ((code >> 12) & 0x3f));
            out += static_cast<char> (0x80 | ((code >> 6) & 0x3f));
            out += static_cast<char> (0x80 | (code & 0x3f));
        }
    }

    /** An attribute's text with its entities and character references replaced. */
    static bool decode (std::string_view raw, std::string& out)
    {
        out.reserve (raw.size());

        for (size_t i = 0; i < raw.size(); ++i)
        {
            if (raw[i] != '&')
            {
                out += raw[i];
                continue;
            }

            const auto stop = raw.find (';', i);

            if (stop == std::string_view::npos)
                return false;

            const auto entity = raw.substr (i + 1, stop - i - 1);
            i = stop;

            if (entity == "amp")
                out += '&';
            else if (entity == "lt")
                out += '<';
            else if (entity == "gt")
                out += '>';
            else if (entity == "quot")
                out += '"';
            else if (entity == "apos")
                out += '\'';
            else if (entity.size() > 1 && entity[0] == '#')
            {
                const auto hex = entity[1] == 'x' || entity[1] == 'X';
                const auto digits = entity.substr (hex ? 2 : 1);

                if (digits.empty() || digits.size() > 8)
                    return false;

                unsigned long code = 0;

                for (const auto c : digits)
                {
                    const auto digit = c >= '0' && c <= '9'          ? c - '0'
                                       : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                     : -1;

                    if (digit < 0)
                        return false;

                    code = code * (hex ? 16u : 10u) + static_cast<unsigned long> (digit);
                }

                // A 0 byte would end the value where it stands once stored.
                if (code == 0 || code > 0x10ffff)
                    return false;

                appendUtf8 (out, code);
            }
            else
            {
                return false;
            }
        }

        return true;
    }

    const char* position;
    const char* const end;
};

/** Whether the tag names the element, as the framework matches them: ignoring case. */
bool isTag (std::string_view name, std::string_view expected)
{
    const auto upper = [] (char c) { return c >= 'a' && c <= 'z' ? static_cast<char> (c - 'a' + 'A') : c; };
    return name.size() == expected.size()
           && std::equal (name.begin(), name.end(), expected.begin(), [&] (char a, char b) { return upper (a) == upper (b); });
}

/** The children of the document element, from just after its start tag to just after its end tag. */
bool readValues (Scanner& scanner, std::string_view documentName, SettingsFileStoreXmlForm::Properties& properties)
{
    for (;;)
    {
        const auto tag = scanner.nextTag();

        if (tag != Scanner::Tag::start)
            return tag == Scanner::Tag::end && scanner.readEndTag (documentName);

        const auto* elementStart = scanner.here();
        scanner.skipPast ("<");
        std::string_view name;
        std::optional<std::string> key, value;
        auto closed = false;

        if (! scanner.readStartTag (name, closed, &key, &value))
            return false;

        if (! isTag (name, "VALUE"))
        {
            // Passed over whole, with whatever is inside it.
            scanner.rewindTo (elementStart);

            if (! scanner.skipElement())
                return false;

            continue;
        }

        // The first child element, if there is one, is the value; a "val" stands otherwise. The
        // framework takes text or a CDATA section before it for the value, re-formatted: such a
        // file is not read.
        for (auto hasChild = false; ! closed;)
        {
            const auto inner = scanner.nextTag (! hasChild);

            if (inner == Scanner::Tag::malformed)
                return false;

            if (inner == Scanner::Tag::end)
            {
                if (! scanner.readEndTag (name))
                    return false;

                break;
            }

            const auto* childStart = scanner.here();

            if (! scanner.skipElement())
                return false;

            if (! hasChild)
                value.emplace (childStart, static_cast<size_t> (scanner.here() - childStart));

            hasChild = true;
        }

        properties.emplace_back (key.value_or (std::string()), value.value_or (std::string()));
    }
}
} // namespace

std::optional<SettingsFileStoreXmlForm::Properties> SettingsFileStoreXmlForm::read (const char* bytes, size_t size)
{
    // The framework reads the text up to its first 0 byte.
    if (const auto* zero = std::memchr (bytes, 0, size); zero != nullptr)
        size = static_cast<size_t> (static_cast<const char*> (zero) - bytes);

    Scanner scanner (bytes, size);

    if (scanner.at ("\xef\xbb\xbf"))
        scanner.skipPast ("\xef\xbb\xbf");

    // Before the document element: white space, the declaration, comments; no document type.
    for (;;)
    {
        scanner.skipSpace();
        auto ok = true;

        if (scanner.at ("<![CDATA["))
            return std::nullopt;

        if (scanner.skipNonElement (ok))
        {
            if (! ok)
                return std::nullopt;

            continue;
        }

        break;
    }

    if (! scanner.at ("<") || scanner.at ("<!") || scanner.at ("</"))
        return std::nullopt;

    scanner.skipPast ("<");
    std::string_view name;
    auto closed = false;

    if (! scanner.readStartTag (name, closed) || ! isTag (name, "PROPERTIES"))
        return std::nullopt;

    // The framework first tells the document element's name from the file's first bytes alone.
    if (scanner.here() - bytes > firstBytesLooked)
        return std::nullopt;

    Properties properties;

    if (! closed && ! readValues (scanner, name, properties))
        return std::nullopt;

    return properties;
}
} // namespace NsOrvelA
