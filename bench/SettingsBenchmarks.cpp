#include "bench/BenchSupport.h"

#include "link/HostImpl.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultMaps.h"

#include <juce_data_structures/juce_data_structures.h>

namespace corvix::bench
{
namespace
{
const juce::String stateKey{ "state" };

/** Points the settings file at a folder of its own for the lifetime of the object. */
class ScopedSettingsFolder
{
public:
    explicit ScopedSettingsFolder (const juce::String& name) : previous (NsOrvelA::settingsFolderName)
    {
        folder = workFolder().getChildFile (name);
        folder.deleteRecursively();
        NsOrvelA::settingsFolderName = folder.getFullPathName();
    }

    ~ScopedSettingsFolder()
    {
        NsOrvelA::settingsFolderName = previous;
        folder.deleteRecursively();
    }

    ScopedSettingsFolder (const ScopedSettingsFolder&) = delete;
    ScopedSettingsFolder& operator= (const ScopedSettingsFolder&) = delete;

private:
    juce::String previous;
    juce::File folder;
};

/** The default tree with a workstation in each slot of the first unit, as a user would store it. */
void chooseWorkstations (const juce::ValueTree& root)
{
    const NsOrvelA::MapState view (root);
    view.slotNode (1, 1).setProperty (NsOrvelA::mapIds::current, 1, nullptr);
    view.slotNode (2, 1).setProperty (NsOrvelA::mapIds::current, 4, nullptr);
    view.slotNode (3, 1).setProperty (NsOrvelA::mapIds::current, 3, nullptr);
}

/** Stores a tree in the settings file the way "SAVE AS DEFAULT" does. */
void storeDefaultTreeInSettings()
{
    NsOrvelA::Host writer;
    chooseWorkstations (writer.getState());
    writer.saveState();
}

/** The settings store with the Host's options, opened on its own: the framework alone. */
juce::PropertiesFile* openSettingsAsTheFrameworkDoes (juce::ApplicationProperties& settings)
{
    juce::PropertiesFile::Options options;
    options.applicationName = "OrvelA";
    options.filenameSuffix = ".conf";
    options.folderName = NsOrvelA::settingsFolderName;
    options.commonToAllUsers = true;
    options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
    settings.setStorageParameters (options);
    return settings.getCommonSettings (true);
}

/** An edit between two stores, so that every store has something new to write. */
void editOneName (const juce::ValueTree& root, int iteration)
{
    NsOrvelA::MapState (root).controlEntry (40, 2, 1).setProperty (NsOrvelA::mapIds::name, iteration % 2 == 0 ? "A" : "B", nullptr);
}

//==============================================================================
/** Times the making of a Host, after the preparation each iteration needs. */
template <typename Prepare>
void timeHostStartup (benchmark::State& state, Prepare&& prepare)
{
    double total = 0.0;

    for (auto _ : state)
    {
        prepare();
        const auto start = Clock::now();
        NsOrvelA::Host host;
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds);
        total += seconds;
    }

    reportRatioToAnchor (state, total / static_cast<double> (state.iterations()));
    NsOrvelA::resetSharedEditingState();
}

/** The program's start-up: the Host is made while the settings file holds a stored tree. */
void hostStartupWithStoredTree (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("startup");
    storeDefaultTreeInSettings();
    timeHostStartup (state, [] { NsOrvelA::resetSharedEditingState(); });
}
BENCHMARK (hostStartupWithStoredTree)->Name ("Startup/hostWithStoredTree")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (2.0);

/** The first start-up: no settings file, so the Host builds the default tree. */
void hostStartupWithoutSettings (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("first-start");
    timeHostStartup (state, [] { juce::File (NsOrvelA::settingsFolderName).deleteRecursively(); });
}
BENCHMARK (hostStartupWithoutSettings)
    ->Name ("Startup/hostWithoutSettings")
    ->Unit (benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime (1.0);

/** "SAVE AS DEFAULT": the live tree stored in the settings file. */
void settingsStore (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("store");
    NsOrvelA::Host host;
    chooseWorkstations (host.getState());
    int iteration = 0;

    timeEachIteration (state,
                       [&]
                       {
                           editOneName (host.getState(), ++iteration);
                           host.saveState();
                       });
}
BENCHMARK (settingsStore)->Name ("Settings/store")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (2.0);

/** Adopting the stored tree, once the settings file is open: reading the stored text into a tree. */
void settingsAdopt (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("adopt");
    storeDefaultTreeInSettings();
    NsOrvelA::Host::Impl impl;
    impl.loadState();

    timeEachIteration (state, [&] { impl.loadState(); });
    NsOrvelA::resetSharedEditingState();
}
BENCHMARK (settingsAdopt)->Name ("Settings/adopt")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

//==============================================================================
// The framework alone, in the same run: what the settings file cost before.

void frameworkSettingsStore (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("framework-store");
    juce::ApplicationProperties properties;
    auto* file = openSettingsAsTheFrameworkDoes (properties);
    auto tree = NsOrvelA::makeDefaultMapState().getTree();
    chooseWorkstations (tree);
    int iteration = 0;

    timeEachIteration (state,
                       [&]
                       {
                           editOneName (tree, ++iteration);
                           file->setValue (stateKey, tree.createXml().get());
                           file->saveIfNeeded();
                       });
}
BENCHMARK (frameworkSettingsStore)->Name ("Framework/settingsStore")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (2.0);

void frameworkSettingsAdopt (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("framework-adopt");
    storeDefaultTreeInSettings();
    juce::ApplicationProperties properties;
    auto* file = openSettingsAsTheFrameworkDoes (properties);

    timeEachIteration (state, [&] { benchmark::DoNotOptimize (juce::ValueTree::fromXml (*file->getXmlValue (stateKey))); });
}
BENCHMARK (frameworkSettingsAdopt)->Name ("Framework/settingsAdopt")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** Opening the settings store with a stored tree: reading the file, and the framework's check
    that the common file can be written, which writes it again. */
void frameworkSettingsOpen (benchmark::State& state)
{
    const ScopedSettingsFolder settings ("framework-open");
    storeDefaultTreeInSettings();

    timeEachIteration (state,
                       []
                       {
                           juce::ApplicationProperties properties;
                           benchmark::DoNotOptimize (openSettingsAsTheFrameworkDoes (properties));
                       });
}
BENCHMARK (frameworkSettingsOpen)->Name ("Framework/settingsOpen")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);
} // namespace
} // namespace corvix::bench
