#include "platform/MidiPacing.h"

#include "platform/MessageLoopWait.h"

#include <juce_core/juce_core.h>

namespace talvor
{
int osVersionLevel = 0;

int currentOsVersionLevel()
{
    return static_cast<int> (juce::SystemStats::getOperatingSystemType()) - static_cast<int> (juce::SystemStats::Windows);
}

void pacedMessageWait (int& counter, int every, int milliseconds)
{
    constexpr int firstPacedLevel = 7;

    if (osVersionLevel < firstPacedLevel)
        return;

    if (++counter == every)
    {
        waitMs (milliseconds);
        counter = 0;
    }
}
} // namespace talvor
