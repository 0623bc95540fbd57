#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** Keys of a hotkey are USB-HID keyboard usage ids 0..127. */
constexpr int hidUsageCount = 128;

/** The short name of a usage id, stored as a hotkey's "keyName" by the hotkey page; usage ids
    without a name of their own read "#" and the id in hexadecimal. Empty outside 0..127. */
juce::String hidUsageDisplayNames (int usageId);

/** The description of a usage id, matched against a pressed key's description and stored as
    "keyName" by the default maps. Empty outside 0..127. */
juce::String hidUsageKeyDescriptions (int usageId);

/** Every printable ASCII character, unshifted keys first: what the name fields accept. */
extern const char* const keyboardLayoutChars;

/** True when any character's code is 127 or more; such names are refused. */
bool hasNonAsciiCharacter (const juce::String& text);
} // namespace NsOrvelA
