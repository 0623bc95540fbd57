#include "platform/MessageLoopWait.h"

#include <juce_events/juce_events.h>

#include <algorithm>

namespace talvor
{
namespace
{
constexpr int longestSliceMs = 100;

void runDispatchLoopSlice (int milliseconds)
{
    if (auto* messageManager = juce::MessageManager::getInstanceWithoutCreating())
        messageManager->runDispatchLoopUntil (milliseconds);
}

DispatchSliceRunner& installedRunner()
{
    static DispatchSliceRunner runner;
    return runner;
}

void runSlice (int milliseconds)
{
    if (auto& runner = installedRunner())
        runner (milliseconds);
    else
        runDispatchLoopSlice (milliseconds);
}
} // namespace

void waitMs (int milliseconds)
{
    auto remaining = std::max (0, milliseconds);

    while (remaining > longestSliceMs)
    {
        runSlice (longestSliceMs);
        remaining -= longestSliceMs;
    }

    runSlice (remaining);
}

DispatchSliceRunner setDispatchSliceRunner (DispatchSliceRunner runner)
{
    auto previous = std::move (installedRunner());
    installedRunner() = std::move (runner);
    return previous;
}

ScopedDispatchSliceRunner::ScopedDispatchSliceRunner (DispatchSliceRunner runner) : previous (setDispatchSliceRunner (std::move (runner)))
{
}

ScopedDispatchSliceRunner::~ScopedDispatchSliceRunner() { setDispatchSliceRunner (std::move (previous)); }
} // namespace talvor
