#include "fuzz/UnitMessages.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>

namespace corvix::fuzzing
{
void forEachUnitMessage (const std::uint8_t* data, std::size_t size, const std::function<void (const juce::MidiMessage&)>& handle)
{
    for (std::size_t position = 0; position < size;)
    {
        const auto length = std::min<std::size_t> (1 + data[position] % 32, size - position - 1);
        ++position;

        if (length == 0)
            break;

        handle (juce::MidiMessage (data + position, static_cast<int> (length)));
        position += length;
    }
}
} // namespace corvix::fuzzing
