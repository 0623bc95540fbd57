#pragma once

#include "platform/ByteList.h"

namespace talvor
{
/** The numeric digest (0 to 10000000) of the text's UTF-8 bytes, each taken as a signed value.
    The units compare it with what they stored to tell whether a slot needs uploading. */
int byteStringDigest (const juce::String& text);

/** The same digest over a byte list, each byte taken as an unsigned value. */
int digestOfBytes (const ByteList& bytes);
} // namespace talvor
