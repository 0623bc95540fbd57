#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <cstdint>

namespace corvix::fuzzing
{
/** A folder of this fuzz process's own below the temporary folder, removed at exit: the settings
    file and the map files a target writes live there, never in the machine's own places. */
juce::File scratchFolder();

/** The input as a block of bytes followed by a 0 byte, as the readers want their text. */
juce::MemoryBlock terminatedCopy (const std::uint8_t* data, std::size_t size);

/** Ends the run as a finding: libFuzzer keeps the input that got here. */
[[noreturn]] void fail (const char* what);
} // namespace corvix::fuzzing
