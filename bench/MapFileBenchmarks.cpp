#include "bench/BenchSupport.h"

#include "link/Host.h"
#include "link/ReplacedTreeRelease.h"
#include "map/SharedEditingState.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "tables/DefaultMaps.h"

#include <pugixml.hpp>

namespace corvix::bench
{
namespace
{
//==============================================================================
// Anchors: what the file costs at the least.

void readMapFileBytes (benchmark::State& state)
{
    timeEachIteration (state,
                       []
                       {
                           juce::MemoryBlock bytes;
                           referenceMapFile().loadFileAsData (bytes);
                           benchmark::DoNotOptimize (bytes.getData());
                       });
}
BENCHMARK (readMapFileBytes)->Name ("Anchor/readMapFileBytes")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

void pugixmlParse (benchmark::State& state)
{
    juce::MemoryBlock bytes;
    referenceMapFile().loadFileAsData (bytes);

    timeEachIteration (state,
                       [&]
                       {
                           pugi::xml_document document;
                           benchmark::DoNotOptimize (document.load_buffer (bytes.getData(), bytes.getSize()));
                       });
}
BENCHMARK (pugixmlParse)->Name ("Anchor/pugixmlParseFromMemory")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

//==============================================================================
// The map file, through the Host as "SAVE FILE" and "LOAD FILE" use it.

void mapFileSave (benchmark::State& state)
{
    NsOrvelA::Host host;
    const auto file = workFolder().getChildFile ("saved.corvix");

    timeEachIteration (state, [&] { benchmark::DoNotOptimize (host.saveMappingFile (file)); });
}
BENCHMARK (mapFileSave)->Name ("MapFile/save")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** Making the file's text alone, into memory: the save without writing the file and waiting for
    the disk to hold it. */
void mapFileText (benchmark::State& state)
{
    NsOrvelA::Host host;

    timeEachIteration (state,
                       [&]
                       {
                           juce::MemoryBlock text;
                           benchmark::DoNotOptimize (NsOrvelA::MapXmlWriter::write (host.getState(), NsOrvelA::mapFileFormat(), text));
                       });
}
BENCHMARK (mapFileText)->Name ("MapFile/textIntoMemory")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** What the user waits for: the replaced live tree is released on a thread of its own meanwhile,
    and waited for between the loads, outside the figure, as the user looks at the loaded map. */
void mapFileLoad (benchmark::State& state)
{
    NsOrvelA::Host host;
    double total = 0.0;

    for (auto _ : state)
    {
        const auto start = Clock::now();
        benchmark::DoNotOptimize (host.loadMappingFile (referenceMapFile()));
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds);
        total += seconds;
        NsOrvelA::waitForReplacedTreeReleases();
    }

    reportRatioToAnchor (state, total / static_cast<double> (state.iterations()));
    NsOrvelA::slotDirty = { 0, 0, 0 };
}
BENCHMARK (mapFileLoad)->Name ("MapFile/load")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** The same with the release of the replaced tree waited for: all the work a load makes. */
void mapFileLoadWithRelease (benchmark::State& state)
{
    NsOrvelA::Host host;

    timeEachIteration (state,
                       [&]
                       {
                           benchmark::DoNotOptimize (host.loadMappingFile (referenceMapFile()));
                           NsOrvelA::waitForReplacedTreeReleases();
                       });
    NsOrvelA::slotDirty = { 0, 0, 0 };
}
BENCHMARK (mapFileLoadWithRelease)->Name ("MapFile/loadWithRelease")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** Reading the file into a tree alone, without replacing the live tree (whose release is part
    of a load). */
void mapFileReadTree (benchmark::State& state)
{
    double total = 0.0;

    for (auto _ : state)
    {
        const auto start = Clock::now();
        auto tree = NsOrvelA::MapXmlReader::readFile (referenceMapFile());
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds); // the tree's release after this is not part of the figure
        total += seconds;
    }

    reportRatioToAnchor (state, total / static_cast<double> (state.iterations()));
}
BENCHMARK (mapFileReadTree)->Name ("MapFile/readIntoTree")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

//==============================================================================
// The same through the framework alone: what the map file cost before the direct writer and
// reader, measured in the same run.

void frameworkMapFileSave (benchmark::State& state)
{
    const auto tree = NsOrvelA::makeDefaultMapState().getTree();
    const auto file = workFolder().getChildFile ("framework.corvix");

    timeEachIteration (state, [&] { benchmark::DoNotOptimize (tree.createXml()->writeTo (file, NsOrvelA::mapFileFormat())); });
}
BENCHMARK (frameworkMapFileSave)->Name ("Framework/mapFileSave")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

void frameworkMapFileLoad (benchmark::State& state)
{
    timeEachIteration (state,
                       []
                       {
                           const auto xml = juce::XmlDocument::parse (referenceMapFile());
                           benchmark::DoNotOptimize (juce::ValueTree::fromXml (*xml));
                       });
}
BENCHMARK (frameworkMapFileLoad)->Name ("Framework/mapFileLoad")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);
} // namespace
} // namespace corvix::bench
