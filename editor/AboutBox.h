#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** The about box behind the maker's logo: the program's name and version as its title, the build
    with its date, the maker's copyright notice and web address as its text. */
namespace aboutBox
{
/** "Orvel-A/B Corvix V1.15". */
juce::String title();

/** Three paragraphs: the build and its date, the copyright notice, the web address. */
juce::String text();

/** A date in the compiler's form ("Dec  2 2023") with the padding blank of a day below 10
    taken out ("Dec 2 2023"). */
juce::String compilerDateText (const char* compilerDate);

/** The day of the build that made this library, in the compiler's form. The build writes it at
    build time (cmake/BuildDate.cmake), so that objects a compiler cache kept from an earlier day
    never show that day. */
const char* buildDate();

/** Shows the box modally through the dialogs seam, with its one "OK" button. */
void show();
} // namespace aboutBox
} // namespace NsOrvelA
