#pragma once

#include <benchmark/benchmark.h>
#include <juce_core/juce_core.h>

#include <chrono>
#include <cstddef>
#include <functional>

namespace corvix::bench
{
using Clock = std::chrono::steady_clock;

inline double secondsSince (Clock::time_point start) { return std::chrono::duration<double> (Clock::now() - start).count(); }

/** The folder the benchmarks write their files into: a fresh temporary one for the whole run,
    removed at the end. Made on first use, after the framework was initialised. */
juce::File workFolder();
void removeWorkFolder();

/** A full map file of the default tree (every unit, slot, workstation and entry), written once by
    the framework's own writer in the map-file format. */
juce::File referenceMapFile();

/** How long the reference parser (pugixml) takes to parse the reference map file from memory:
    the median of several runs, measured once. Every figure is also given as a ratio to it. */
double pugixmlParseSeconds();

/** Adds the "x_pugixml" counter: the mean time of one iteration as a multiple of the anchor. */
void reportRatioToAnchor (benchmark::State& state, double secondsPerIteration);

/** Times the given work once per iteration (manual time) and reports the mean as a ratio to the
    anchor. */
void timeEachIteration (benchmark::State& state, const std::function<void()>& timed);

/** Heap bytes in use by the process (glibc's mallinfo2: small blocks plus mapped ones). */
std::size_t heapBytesInUse();

/** Returns freed memory to the system and resets the process's peak resident size (VmHWM) to its
    current size, so that peakRssGrowth reports what a piece of work needed at its highest. */
void resetPeakRss();

/** Peak resident size since the last reset, minus the resident size at that reset, in bytes. */
std::size_t peakRssGrowth();
} // namespace corvix::bench
