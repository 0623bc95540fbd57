#include "platform/WindowsCommandLine.h"

namespace talvor
{
namespace
{
juce::String quotedArgument (const juce::String& argument)
{
    if (argument.isNotEmpty() && ! argument.containsAnyOf (" \t\n\v\""))
        return argument;

    // Backslashes are literal except before a quote: there each one is doubled, and the quote
    // itself is escaped. The closing quote counts as one, so trailing backslashes double too.
    juce::String quoted ("\"");
    int backslashes = 0;

    for (auto c : argument)
    {
        if (c == '\\')
        {
            ++backslashes;
            continue;
        }

        quoted << juce::String::repeatedString ("\\", c == '"' ? backslashes * 2 + 1 : backslashes);
        quoted << juce::String::charToString (c);
        backslashes = 0;
    }

    quoted << juce::String::repeatedString ("\\", backslashes * 2) << "\"";
    return quoted;
}
} // namespace

juce::String windowsCommandLine (const juce::StringArray& arguments)
{
    juce::StringArray quoted;

    for (const auto& argument : arguments)
        quoted.add (quotedArgument (argument));

    return quoted.joinIntoString (" ");
}
} // namespace talvor
