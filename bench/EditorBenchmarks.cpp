#include "bench/BenchSupport.h"

#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "link/Host.h"
#include "link/HostImpl.h"
#include "map/SharedEditingState.h"
#include "platform/VirtualMidiPortBackend.h"

#include <memory>

namespace corvix::bench
{
namespace
{
using namespace NsOrvelA;

/** The editor's surroundings as the program has them when the editor is built: a Host with the
    default map (made before, as the program's start-up makes it) and the MIDI ports of a machine
    without units. The device-watch timer that the editor starts is stopped again at the end, so
    that it never ticks into another benchmark. */
class EditorBench
{
public:
    EditorBench()
    {
        resetSharedEditingState();
        settingsFolder = workFolder().getChildFile ("editor-settings");
        settingsFolder.deleteRecursively();
        previousSettings = settingsFolderName;
        settingsFolderName = settingsFolder.getFullPathName();
        host = std::make_unique<Host>();
        hostInstance = host.get();
    }

    ~EditorBench()
    {
        editor = nullptr;
        stopDeviceLink();
        hostInstance = nullptr;
        host = nullptr;
        settingsFolderName = previousSettings;
        settingsFolder.deleteRecursively();
        resetSharedEditingState();
    }

    EditorBench (const EditorBench&) = delete;
    EditorBench& operator= (const EditorBench&) = delete;

    /** Builds the editor with its first full refresh, which the model chooser's notification makes
        in the program. The first benchmark adds the first frame: the whole editor painted. */
    MainComp& openEditor()
    {
        editor = std::make_unique<MainComp> (talvor::productIds::orvelA);
        editor->setSize (MainComp::editorWidth, MainComp::editorHeight);
        editor->applyModel (currentModelId);
        editor->refreshFromModel();
        editor->refreshAllPanels();
        return *editor;
    }

    /** Every slot with a workstation of its own, as in a map in use. */
    static void chooseWorkstations()
    {
        slotDawIds = { 2, 5, 12 };
        currentSlotId = 1;
    }

    talvor::VirtualMidiPortBackend ports;
    talvor::ScopedMidiPortBackend portScope{ ports };
    juce::File settingsFolder;
    juce::String previousSettings;
    std::unique_ptr<Host> host;
    std::unique_ptr<MainComp> editor;
};

void editorBuildWithFirstRefresh (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();

    for (auto _ : state)
    {
        const auto start = Clock::now();
        auto& editor = bench.openEditor();
        benchmark::DoNotOptimize (editor.createComponentSnapshot (editor.getLocalBounds()));
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds);

        bench.editor = nullptr;
    }
}

void editorRefreshAfterOneEdit (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();
    auto entry = bench.host->getStateTree().controlEntryInCurrentSlot (40);
    int edits = 0;

    // What every edit on a page does after writing the entry: the panel refresh through the Host.
    timeEachIteration (state,
                       [&]
                       {
                           entry.setProperty (mapIds::name, "Edit " + juce::String (++edits), nullptr);
                           editor.refreshAllPanels();
                       });
}

void editorRefreshAndPaintAfterOneEdit (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();
    auto entry = bench.host->getStateTree().controlEntryInCurrentSlot (5);
    int edits = 0;

    // The same, with the frame that follows: the whole editor painted (the program repaints only
    // what changed, so this is the upper end).
    timeEachIteration (state,
                       [&]
                       {
                           entry.setProperty (mapIds::name, "Edit " + juce::String (++edits), nullptr);
                           editor.refreshAllPanels();
                           benchmark::DoNotOptimize (editor.createComponentSnapshot (editor.getLocalBounds()));
                       });
}

void editorSwitchSlot (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();

    // As the slot selector does: the new slot, then the full refresh and the panel refresh.
    timeEachIteration (state,
                       [&]
                       {
                           currentSlotId = currentSlotId % slotCount + 1;
                           editor.refreshFromModel();
                           editor.refreshAllPanels();
                       });
}

void editorSwitchWorkstation (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();

    // As the workstation chooser does: the slot's new workstation, then both refreshes.
    timeEachIteration (state,
                       [&]
                       {
                           slotDawIds[0] = slotDawIds[0] == 2 ? 6 : 2;
                           editor.refreshFromModel();
                           editor.refreshAllPanels();
                       });
}

void pagesSelectControl (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();
    auto& grid = editor.getFuncSection().getButtonSection();
    int clicks = 0;

    // A click on a button of the grid, alternating between two so that each one is a new
    // selection: the page tabs, the MIDI page's four lists, the pages and the panel refresh.
    timeEachIteration (state, [&] { editor.buttonClicked (&grid.getButton (++clicks % 2 == 0 ? 7 : 30)); });
}

void pagesEditToCaption (benchmark::State& state)
{
    EditorBench bench;
    EditorBench::chooseWorkstations();
    auto& editor = bench.openEditor();
    editor.buttonClicked (&editor.getFuncSection().getButtonSection().getButton (9));
    auto& values = editor.getMidiPage().getValueList();
    int edits = 0;

    // One choice in the MIDI page's value list: the entry written, the full refresh, the caption,
    // the lists rebuilt and the panel refresh.
    timeEachIteration (state, [&] { values.setSelectedItemIndex (++edits % 2 == 0 ? 7 : 10, juce::sendNotificationSync); });
}
} // namespace

BENCHMARK (pagesSelectControl)->Name ("Pages/selectControl")->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (pagesEditToCaption)->Name ("Pages/editToCaption")->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (editorBuildWithFirstRefresh)
    ->Name ("Editor/buildWithFirstRefresh")
    ->UseManualTime()
    ->Unit (benchmark::kMillisecond)
    ->MinTime (1.0);
BENCHMARK (editorRefreshAfterOneEdit)->Name ("Editor/refreshAfterOneEdit")->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (editorRefreshAndPaintAfterOneEdit)->Name ("Editor/refreshAndPaintAfterOneEdit")->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (editorSwitchSlot)->Name ("Editor/switchSlot")->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (editorSwitchWorkstation)->Name ("Editor/switchWorkstation")->UseManualTime()->Unit (benchmark::kMillisecond);
} // namespace corvix::bench
