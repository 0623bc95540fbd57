#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace juce
{
class MidiMessage;
}

// How the units' messages fuzz target cuts its input into messages. The normal suite cuts every
// input of its corpus the same way, so that an input that once crashed or hung the target stays a
// test.
namespace corvix::fuzzing
{
/** Each message: one byte of length (1..32, the byte modulo 32 plus one), then that many bytes, or
    as many as are left; a length byte with nothing after it ends the input. */
void forEachUnitMessage (const std::uint8_t* data, std::size_t size, const std::function<void (const juce::MidiMessage&)>& handle);
} // namespace corvix::fuzzing
