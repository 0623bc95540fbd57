#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace NsOrvelA
{
/** The XML form of a properties file, which the framework's store reads as well as its binary
    forms: a "PROPERTIES" element whose "VALUE" children each carry a "name" and either a "val"
    attribute or a child element, whose text is then the value. This program never writes that
    form, but a file written in it by the framework must not read as empty.

    It is read here, and never by the framework's XML parser, which hangs, overflows its stack and
    reads past the end of its text on hostile input: elements are matched by a loop, without
    recursion, and a child element's value is its text as the file holds it, which the map reader
    reads as the framework's re-formatted text. What the framework reads is read the same way: the
    text up to a 0 byte, the two element names in any case, the first of an attribute that comes
    twice. What it would read otherwise, or not at all, makes the file unreadable rather than read
    differently: a document type, an unknown entity or a stray "&" anywhere, a character reference
    to 0, text or a CDATA section before a value's element, a name with a byte outside ASCII,
    a document element whose start tag ends past the first 8 KiB, and anything malformed. */
struct SettingsFileStoreXmlForm final
{
    using Properties = std::vector<std::pair<std::string, std::string>>;

    /** The properties in the file's order, keys that come twice included; empty when the bytes are
        not a document of that form. */
    static std::optional<Properties> read (const char* bytes, size_t size);
};
} // namespace NsOrvelA
