#include "bench/BenchSupport.h"

#include "devices/PortNames.h"
#include "link/Host.h"
#include "link/UploadEngine.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPacing.h"
#include "platform/MidiPortBackend.h"
#include "tables/DeviceTableBuilder.h"
#include "tests/support/SimulatedUnit.h"

#include <juce_events/juce_events.h>

namespace corvix::bench
{
namespace
{
using NsOrvelA::mapIds::current;

/** A Host installed as the process's Host for the lifetime of the object. */
class InstalledHost
{
public:
    InstalledHost() { NsOrvelA::hostInstance = &host; }

    ~InstalledHost()
    {
        NsOrvelA::hostInstance = nullptr;
        NsOrvelA::resetSharedEditingState();
    }

    InstalledHost (const InstalledHost&) = delete;
    InstalledHost& operator= (const InstalledHost&) = delete;

    NsOrvelA::Host host;
};

void markAllSlots()
{
    NsOrvelA::slotDirty = { 1, 1, 1 };
    NsOrvelA::slotSending = { 0, 0, 0 };
}

/** The device tables of all eight units with all three slots marked and holding a workstation. */
void buildAllDeviceTables (benchmark::State& state)
{
    InstalledHost installed;
    const auto view = installed.host.getStateTree();

    for (int unit = 1; unit <= NsOrvelA::unitCount; ++unit)
        for (int slot = 1; slot <= NsOrvelA::slotCount; ++slot)
            view.slotNode (slot, unit).setProperty (current, slot * 5 - 2, nullptr); // 3 (HUI), 8, 13

    timeEachIteration (state,
                       []
                       {
                           markAllSlots();

                           for (int unit = 1; unit <= NsOrvelA::unitCount; ++unit)
                               NsOrvelA::buildDeviceTables (unit);
                       });
}
BENCHMARK (buildAllDeviceTables)->Name ("DeviceTables/allUnitsThreeSlots")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (1.0);

/** The device tables of the main unit when one button's name is 200 KB long, as a map file may
    hold it: fitting the name into its cells must not cost more than a short one. */
void buildDeviceTablesWithAHugeName (benchmark::State& state)
{
    InstalledHost installed;
    const auto view = installed.host.getStateTree();
    view.slotNode (1, 1).setProperty (current, 8, nullptr);
    view.controlEntry (40, 1, 1).setProperty (NsOrvelA::mapIds::name, juce::String::repeatedString ("ab ", 70000), nullptr);

    timeEachIteration (state,
                       []
                       {
                           NsOrvelA::slotDirty = { 1, 0, 0 };
                           NsOrvelA::buildDeviceTables (1);
                       });
}
BENCHMARK (buildDeviceTablesWithAHugeName)->Name ("DeviceTables/hugeButtonName")->Unit (benchmark::kMillisecond)->UseManualTime()->MinTime (0.5);

/** One full upload of three slots to an Orvel-A that answers at once, as the device-watch timer
    starts it. Every wait the conversation asks for is recorded: the time it asked for (the
    protocol's own waits and pacing) and the time the waits really took; what remains of the wall
    time is the system's own work. */
void uploadThreeSlots (benchmark::State& state)
{
    talvor::VirtualMidiPortBackend ports;
    const talvor::ScopedMidiPortBackend portScope (ports);
    const talvor::ScopedPortNamingRules rules (talvor::PortNamingRules::trailingDigit);
    testing::SimulatedUnit unit (ports, {});
    unit.setSyncMask (0); // every slot out of date, so that each upload sends all three

    InstalledHost installed;
    const auto view = installed.host.getStateTree();
    view.slotNode (1, 1).setProperty (current, 1, nullptr);
    view.slotNode (2, 1).setProperty (current, 4, nullptr);
    view.slotNode (3, 1).setProperty (current, 3, nullptr);

    // The pacing of Windows 10 and later.
    const juce::ScopedValueSetter<int> level (talvor::osVersionLevel, talvor::currentOsVersionLevel());

    double requestedMs = 0.0, waitedSeconds = 0.0, wallSeconds = 0.0;
    const talvor::ScopedDispatchSliceRunner recorder (
        [&] (int milliseconds)
        {
            requestedMs += milliseconds;
            const auto start = Clock::now();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
            waitedSeconds += secondsSince (start);
        });

    std::size_t messages = 0;

    for (auto _ : state)
    {
        unit.clearReceived();
        markAllSlots();
        const auto start = Clock::now();
        NsOrvelA::uploadMappings();
        const auto seconds = secondsSince (start);
        state.SetIterationTime (seconds);
        wallSeconds += seconds;
        messages = unit.received().size();
    }

    const auto runs = static_cast<double> (state.iterations());
    state.counters["messages"] = static_cast<double> (messages);
    state.counters["waits_asked_ms"] = requestedMs / runs;
    state.counters["waits_took_ms"] = waitedSeconds * 1000.0 / runs;
    state.counters["own_work_ms"] = (wallSeconds - waitedSeconds) * 1000.0 / runs;
    state.counters["wall_vs_waits_asked"] = wallSeconds * 1000.0 / requestedMs;
}
BENCHMARK (uploadThreeSlots)->Name ("Upload/threeSlotsToOrvelA")->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (5);
} // namespace
} // namespace corvix::bench
