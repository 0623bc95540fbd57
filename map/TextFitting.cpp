#include "map/TextFitting.h"

#include "platform/ConcatStrings.h"

namespace NsOrvelA
{
namespace
{
constexpr int largestCellSize = 256;

juce::String exactly (const juce::String& text, int length, juce::juce_wchar fill)
{
    return text.substring (0, length).paddedRight (fill, length);
}

const char* orEmpty (const char* text) noexcept { return text != nullptr ? text : ""; }

/* Three or more words, none longer than a row: fill the upper row word by word and move a word
   that would straddle the rows down to the lower row, unless the text has too little spare room
   to afford the padding that costs. */
juce::String layOutWords (const juce::Array<juce::String>& words, int columns, int total, int spare, juce::juce_wchar fill)
{
    juce::String line;

    for (const auto& word : words)
    {
        const auto used = line.length();
        const auto roomOnUpperRow = columns - used;

        if (used >= total)
        {
            line = line.substring (0, total);
            continue;
        }

        if (used == columns + 1)
            line = line.trim(); // the upper row is full: the lower row starts with this word
        else if (used >= 1 && used < columns && roomOnUpperRow < word.length() && roomOnUpperRow < spare)
            line = line.paddedRight (fill, columns);

        line << word;
        line += fill;
    }

    return line.trim();
}
} // namespace

juce::Array<juce::String> splitAtSeparator (const juce::String& text, const juce::String& separator)
{
    juce::Array<juce::String> pieces;

    if (separator.isEmpty())
    {
        if (text.isNotEmpty())
            pieces.add (text);

        return pieces;
    }

    const auto length = text.length();
    const auto separatorLength = separator.length();

    for (int start = 0; start < length;)
    {
        const auto found = text.indexOf (start, separator);

        if (found < 0)
        {
            pieces.add (text.substring (start));
            break;
        }

        if (found > start)
            pieces.add (text.substring (start, found));

        start = found + separatorLength;
    }

    return pieces;
}

juce::String joinTexts (const char* first, const char* second, const char* third, const char* fourth)
{
    return juce::String (talvor::concatStrings (orEmpty (first), { orEmpty (second), orEmpty (third), orEmpty (fourth) }));
}

juce::String fitTextToCells (const juce::String& text, int columns, int rows, juce::juce_wchar fill)
{
    columns = juce::jlimit (0, largestCellSize, columns);
    rows = juce::jlimit (0, largestCellSize, rows);

    if (fill == 0)
        fill = ' '; // a null character would end the text

    const auto total = columns * rows;
    const auto separator = juce::String::charToString (fill);

    // The words with single separators between them, read in one pass that ends as soon as they
    // are longer than the cells: only their first cells are shown then, so a name of any length
    // costs no more than trimming it. (Splitting it all by character positions took quadratic
    // time: a name of 200 KB froze the editor for seconds.)
    const auto trimmed = text.trim();
    juce::Array<juce::String> words;
    int longestWord = 0, length = 0;

    for (auto p = trimmed.getCharPointer(); length <= total;)
    {
        while (*p == fill)
            ++p;

        if (p.isEmpty())
            break;

        const auto start = p;
        int wordLength = 0;

        for (; ! p.isEmpty() && *p != fill && length + wordLength <= total; ++p)
            ++wordLength;

        length += (words.isEmpty() ? 0 : 1) + wordLength;
        longestWord = juce::jmax (longestWord, wordLength);
        words.add (juce::String (start, p));
    }

    juce::String normalised;

    for (const auto& word : words)
        normalised << (normalised.isEmpty() ? juce::String() : separator) << word;

    if (length > total || length <= columns || longestWord > columns || words.size() < 2)
        return exactly (normalised, total, fill);

    if (words.size() == 2)
        return exactly (exactly (words[0], columns, fill) + exactly (words[1], columns, fill), total, fill);

    return exactly (layOutWords (words, columns, total, total - length, fill), total, fill);
}
} // namespace NsOrvelA
