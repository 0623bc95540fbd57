#include "editor/SysexText.h"

namespace NsOrvelA
{
std::optional<std::vector<juce::uint8>> parseSysexText (const juce::String& text)
{
    const auto compact = text.removeCharacters (" ").toUpperCase();
    const auto length = compact.length();

    if (length % 2 != 0)
        return std::nullopt;

    std::vector<juce::uint8> bytes;
    bytes.reserve ((size_t) length / 2);

    for (int i = 0; i < length; i += 2)
    {
        int value = 0;

        for (auto character : compact.substring (i, i + 2))
            if (const auto digit = juce::CharacterFunctions::getHexDigitValue (character); digit >= 0)
                value = (value << 4) | digit;

        bytes.push_back ((juce::uint8) (value & 0xff));
    }

    return bytes;
}
} // namespace NsOrvelA
