#include "bench/BenchSupport.h"

#include "link/Host.h"
#include "map/MapState.h"
#include "tables/DefaultMaps.h"

namespace corvix::bench
{
namespace
{
/** The default tree, as the Host builds it when there is no stored one. */
void defaultTreeBuild (benchmark::State& state)
{
    double total = 0.0;

    for (auto _ : state)
    {
        const auto start = Clock::now();
        const auto tree = NsOrvelA::makeDefaultMapState().getTree();
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds); // the tree's release after this is not part of the build
        total += seconds;
    }

    reportRatioToAnchor (state, total / static_cast<double> (state.iterations()));
}
BENCHMARK (defaultTreeBuild)->Name ("DefaultTree/build")->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (10);

/** What the live tree costs in memory: the heap it holds once made, and how far the resident
    size rose at the highest while it was made. Arg 0: the default tree; 1: a map file loaded. */
void liveTreeMemory (benchmark::State& state)
{
    const bool fromFile = state.range (0) == 1;
    std::size_t held = 0, peak = 0;

    for (auto _ : state)
    {
        const auto before = heapBytesInUse();
        juce::ValueTree tree;

        if (fromFile)
        {
            // The Host's own start-up is not part of the figure: the peak is taken over the load.
            NsOrvelA::Host host;
            resetPeakRss();
            host.loadMappingFile (referenceMapFile());
            peak = peakRssGrowth();
            tree = host.getState();
        }
        else
        {
            resetPeakRss();
            tree = NsOrvelA::makeDefaultMapState().getTree();
            peak = peakRssGrowth();
        }

        held = heapBytesInUse() - before;
        benchmark::DoNotOptimize (tree);
    }

    state.counters["held_MB"] = static_cast<double> (held) / 1.0e6;
    state.counters["peak_rss_growth_MB"] = static_cast<double> (peak) / 1.0e6;
}
BENCHMARK (liveTreeMemory)
    ->Name ("LiveTree/memory")
    ->ArgName ("loadedFromFile")
    ->Arg (0)
    ->Arg (1)
    ->Iterations (1)
    ->Unit (benchmark::kMillisecond);
} // namespace
} // namespace corvix::bench
