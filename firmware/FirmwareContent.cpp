#include "firmware/FirmwareContent.h"

namespace talvor
{
namespace
{
bool isTextCharacter (juce::uint32 c)
{
    if (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r')
        return true;

    // The C0 and C1 control characters and DEL are what text never holds and binary is full of.
    return c >= 0x20 && ! (c >= 0x7f && c <= 0x9f);
}

bool isContinuation (juce::uint8 b) { return (b & 0xc0) == 0x80; }

bool utf8IsText (const juce::uint8* bytes, size_t size)
{
    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];

        if (lead < 0x80)
        {
            if (! isTextCharacter (lead))
                return false;

            ++i;
            continue;
        }

        size_t length = 0;
        juce::uint32 c = 0;
        // The bounds of the second byte rule out overlong forms, surrogates and code points past U+10FFFF.
        juce::uint8 lowestSecond = 0x80, highestSecond = 0xbf;

        if (lead >= 0xc2 && lead <= 0xdf)
            length = 2, c = lead & 0x1fu;
        else if (lead >= 0xe0 && lead <= 0xef)
            length = 3, c = lead & 0x0fu, lowestSecond = lead == 0xe0 ? 0xa0 : 0x80, highestSecond = lead == 0xed ? 0x9f : 0xbf;
        else if (lead >= 0xf0 && lead <= 0xf4)
            length = 4, c = lead & 0x07u, lowestSecond = lead == 0xf0 ? 0x90 : 0x80, highestSecond = lead == 0xf4 ? 0x8f : 0xbf;
        else
            return false;

        for (size_t k = 1; k < length; ++k)
        {
            // A character cut off by the end of the judged bytes says nothing against the rest.
            if (i + k >= size)
                return true;

            const auto b = bytes[i + k];

            if (! isContinuation (b) || (k == 1 && (b < lowestSecond || b > highestSecond)))
                return false;

            c = (c << 6) | (b & 0x3fu);
        }

        if (! isTextCharacter (c))
            return false;

        i += length;
    }

    return true;
}

bool utf16IsText (const juce::uint8* bytes, size_t size, bool bigEndian)
{
    auto unitAt = [&] (size_t i) { return bigEndian ? (juce::uint32) ((bytes[i] << 8) | bytes[i + 1]) : (juce::uint32) ((bytes[i + 1] << 8) | bytes[i]); };

    for (size_t i = 0; i + 1 < size; i += 2)
    {
        const auto unit = unitAt (i);

        if (unit >= 0xd800 && unit <= 0xdbff)
        {
            if (i + 3 >= size)
                return true;

            const auto low = unitAt (i + 2);

            if (low < 0xdc00 || low > 0xdfff)
                return false;

            i += 2;
            continue;
        }

        if ((unit >= 0xdc00 && unit <= 0xdfff) || ! isTextCharacter (unit))
            return false;
    }

    return true;
}

bool startsWith (const juce::uint8* bytes, size_t size, std::initializer_list<juce::uint8> mark)
{
    return size >= mark.size() && std::equal (mark.begin(), mark.end(), bytes);
}
} // namespace

bool isDocumentContentType (const juce::String& contentType)
{
    const auto type = contentType.upToFirstOccurrenceOf (";", false, false).trim().toLowerCase();

    return type.startsWith ("text/") || type == "application/json" || type == "application/xml" || type.endsWith ("+xml")
           || type.endsWith ("+json") || type.contains ("html");
}

bool startsAsText (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return false;

    const auto* bytes = static_cast<const juce::uint8*> (data);
    size = juce::jmin (size, judgedLeadingBytes);

    if (startsWith (bytes, size, { 0xef, 0xbb, 0xbf }))
        return utf8IsText (bytes + 3, size - 3);

    if (startsWith (bytes, size, { 0xff, 0xfe }))
        return utf16IsText (bytes + 2, size - 2, false);

    if (startsWith (bytes, size, { 0xfe, 0xff }))
        return utf16IsText (bytes + 2, size - 2, true);

    return utf8IsText (bytes, size);
}

bool fileStartsAsText (const juce::File& file)
{
    juce::FileInputStream in (file);

    if (! in.openedOk())
        return false;

    juce::HeapBlock<char> leading (judgedLeadingBytes);
    const auto got = in.read (leading.get(), (int) judgedLeadingBytes);
    return got > 0 && startsAsText (leading.get(), (size_t) got);
}
} // namespace talvor
