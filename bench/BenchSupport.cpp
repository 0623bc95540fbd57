#include "bench/BenchSupport.h"

#include "map/MapState.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "storage/MapXmlWriter.h"
#include "tables/DefaultMaps.h"

#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <malloc.h>
#include <vector>

namespace corvix::bench
{
namespace
{
juce::File& folder()
{
    static juce::File made;
    return made;
}

/** A field of /proc/self/status in bytes (the kernel gives kB); 0 when it cannot be read. */
std::size_t statusFieldBytes (const char* field)
{
    std::ifstream status ("/proc/self/status");
    std::string line;
    const std::string prefix = std::string (field) + ":";

    while (std::getline (status, line))
        if (line.rfind (prefix, 0) == 0)
            return static_cast<std::size_t> (std::stoull (line.substr (prefix.size()))) * 1024;

    return 0;
}

std::size_t rssAtReset = 0;
} // namespace

juce::File workFolder()
{
    auto& made = folder();

    if (made == juce::File())
    {
        made = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("corvix-bench-" + juce::Uuid().toString());
        made.createDirectory();
    }

    return made;
}

void removeWorkFolder()
{
    if (folder() != juce::File())
        folder().deleteRecursively();
}

juce::File referenceMapFile()
{
    static const juce::File file = []
    {
        auto made = workFolder().getChildFile ("reference.corvix");
        NsOrvelA::makeDefaultMapState().getTree().createXml()->writeTo (made, NsOrvelA::mapFileFormat());
        return made;
    }();

    return file;
}

double pugixmlParseSeconds()
{
    static const double seconds = []
    {
        juce::MemoryBlock bytes;
        referenceMapFile().loadFileAsData (bytes);
        std::vector<double> runs;

        for (int run = 0; run < 11; ++run)
        {
            pugi::xml_document document;
            const auto start = Clock::now();
            const auto parsed = document.load_buffer (bytes.getData(), bytes.getSize());
            runs.push_back (secondsSince (start));

            if (! parsed)
                return 0.0;
        }

        std::sort (runs.begin(), runs.end());
        return runs[runs.size() / 2];
    }();

    return seconds;
}

void reportRatioToAnchor (benchmark::State& state, double secondsPerIteration)
{
    if (const auto anchor = pugixmlParseSeconds(); anchor > 0.0)
        state.counters["x_pugixml"] = secondsPerIteration / anchor;
}

void timeEachIteration (benchmark::State& state, const std::function<void()>& timed)
{
    double total = 0.0;

    for (auto _ : state)
    {
        const auto start = Clock::now();
        timed();
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds);
        total += seconds;
    }

    reportRatioToAnchor (state, total / static_cast<double> (state.iterations()));
}

std::size_t heapBytesInUse()
{
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void resetPeakRss()
{
    malloc_trim (0); // freed memory goes back to the system, so the resident size starts from what is live
    std::ofstream ("/proc/self/clear_refs") << "5";
    rssAtReset = statusFieldBytes ("VmRSS");
}

std::size_t peakRssGrowth()
{
    const auto peak = statusFieldBytes ("VmHWM");
    return peak > rssAtReset ? peak - rssAtReset : 0;
}
} // namespace corvix::bench
