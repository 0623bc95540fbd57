#include "bench/BenchSupport.h"

#include "link/HostImpl.h"

#include <juce_events/juce_events.h>

// The benchmarks run on the message thread, as the program's own work does: waits run the
// message loop, and the settings file lives in a temporary folder, never the machine's own.
int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI framework;
    NsOrvelA::settingsFolderName = corvix::bench::workFolder().getChildFile ("settings").getFullPathName();

    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::AddCustomContext ("map_file_bytes", juce::String (corvix::bench::referenceMapFile().getSize()).toStdString());
    benchmark::AddCustomContext ("pugixml_parse_ms", juce::String (corvix::bench::pugixmlParseSeconds() * 1000.0, 2).toStdString());

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    corvix::bench::removeWorkFolder();
    return 0;
}
