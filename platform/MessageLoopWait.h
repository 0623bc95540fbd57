#pragma once

#include <functional>

namespace talvor
{
/** Waits the given number of milliseconds on the message thread while the message loop keeps
    running, in slices of at most 100 ms, so that timers, repaints and posted MIDI notifications
    are answered throughout. Negative values count as 0. A wait of 0 runs one pass of the loop. */
void waitMs (int milliseconds);

/** Runs one slice of a wait. The default runs JUCE's dispatch loop for that long. */
using DispatchSliceRunner = std::function<void (int milliseconds)>;

/** Replaces how each slice is run, for tests that observe the slicing or compress long waits.
    An empty function restores the message loop. Returns the runner that was installed before. */
DispatchSliceRunner setDispatchSliceRunner (DispatchSliceRunner runner);

/** Installs a slice runner for the lifetime of the object and restores the previous one after. */
class ScopedDispatchSliceRunner
{
public:
    explicit ScopedDispatchSliceRunner (DispatchSliceRunner runner);
    ~ScopedDispatchSliceRunner();

    ScopedDispatchSliceRunner (const ScopedDispatchSliceRunner&) = delete;
    ScopedDispatchSliceRunner& operator= (const ScopedDispatchSliceRunner&) = delete;

private:
    DispatchSliceRunner previous;
};
} // namespace talvor
