#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** A firmware travels over MIDI in blocks of 512 bytes, and the device's upgrade mode takes at
    least one whole block; a smaller file is no firmware of the maker's. */
constexpr juce::int64 smallestFirmwareSize = 512;

/** The largest firmware the MIDI upgrade mode takes (below 2 MiB). */
constexpr juce::int64 largestMidiFirmwareSize = 2097151;

/** The bootloader erases at most 0x101000 bytes from the firmware address, and every erase
    covers the image and 4096 bytes more; a larger image would be written over flash that was
    never erased. */
constexpr juce::int64 largestErasedRegion = 1052672;
constexpr juce::int64 eraseMarginBytes = 4096;
constexpr juce::int64 largestBootloaderFirmwareSize = largestErasedRegion - eraseMarginBytes;

/** What the user sees when a firmware file has a size the device cannot take. */
inline const char* const firmwareSizeRefusedText = "Firmware exception!";
} // namespace talvor
