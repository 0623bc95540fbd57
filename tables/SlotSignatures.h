#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace NsOrvelA
{
/** The digest of a list of signed integers, by the same rule as the byte digest: the system and
    a unit compare slot signatures made this way to tell whether a slot must be sent again. */
int digestOfInts (const std::vector<int>& values);

/** The digest of a list of texts: each text's byte digest, then the digest of those numbers. */
int layerSignature (const juce::StringArray& texts);

/** The part of a signature that travels to a unit: three 7-bit bytes. */
constexpr int signature21Bits (int signature) noexcept { return signature & 0x7F7F7F; }
} // namespace NsOrvelA
