#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** Decodes one message from a unit into the reply slots and unit reports. Runs on the MIDI
    input thread. Reads only the bytes the message has: short and foreign messages are ignored. */
void decodeIncomingMessage (const juce::uint8* bytes, int size) noexcept;
} // namespace NsOrvelA
