#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The one string that Windows hands a started program for its argument list, quoted so that
    the program's C runtime (CommandLineToArgvW's rules) splits it back into exactly these
    arguments: spaces, tabs, quotes, backslashes before quotes, trailing backslashes and empty
    arguments included. Nothing here goes through a command interpreter, so "%PATH%", "&" and
    "^" need no escaping. */
juce::String windowsCommandLine (const juce::StringArray& arguments);
} // namespace talvor
