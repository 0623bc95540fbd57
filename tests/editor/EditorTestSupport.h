#pragma once

#include "editor/DeviceLink.h"
#include "link/Host.h"
#include "link/MyTimer.h"
#include "map/EditorHooks.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvix::testing
{
/** Holds quiet the device-watch timer that the first mixer section starts. Left running, it ticks
    whenever its period has passed, which on a busy machine can be between any two steps of a test:
    the tick uploads a marked slot and clears its mark, or carries out a pending "SAVE AS DEFAULT",
    before the test looks. A test that needs a tick asks for one (tickDeviceWatchTimer). */
inline void holdDeviceWatchTimerQuiet()
{
    if (auto* timer = NsOrvelA::deviceWatchTimer())
        timer->stopTimer();
}

/** One tick of the device-watch timer, now; the timer stays quiet afterwards (a tick restarts it). */
inline void tickDeviceWatchTimer()
{
    auto* timer = NsOrvelA::deviceWatchTimer();
    ASSERT_NE (timer, nullptr) << "no device link runs";
    timer->timerCallback();
    timer->stopTimer();
}

/** Stands in for the editor behind the Host's hooks: counts what model-side code asks of it and
    runs what a test gives it for the two refreshes. Registers itself as currentEditor. */
class RecordingEditor final : public NsOrvelA::EditorHooks
{
public:
    RecordingEditor() { NsOrvelA::currentEditor = this; }
    ~RecordingEditor() override
    {
        if (NsOrvelA::currentEditor == this)
            NsOrvelA::currentEditor = nullptr;
    }

    void refreshFromModel() override
    {
        ++fullRefreshes;
        if (onFullRefresh)
            onFullRefresh();
    }

    bool applyModel (int) override { return true; }

    void refreshAllPanels() override
    {
        ++panelRefreshes;
        if (onPanelRefresh)
            onPanelRefresh();
    }

    void buildValueLists (NsOrvelA::ControlButton&, NsOrvelA::MidiPageList) override {}
    void showControlMenu() override { ++controlMenus; }
    void passTextToFuncPage (const juce::String&, bool) override {}

    int fullRefreshes = 0;
    int panelRefreshes = 0;
    int controlMenus = 0;
    std::function<void()> onFullRefresh, onPanelRefresh;
};

/** A Host fixture for editor components: the device link that a mixer section starts is stopped
    again before the test's Host goes. */
class EditorTest : public HostTest
{
protected:
    ~EditorTest() override { NsOrvelA::stopDeviceLink(); }

    NsOrvelA::MapState map() { return host->getStateTree(); }

    /** Gives slot s of every unit (and slotDawIds) the workstation. */
    void chooseWorkstation (int slotId, int dawId)
    {
        NsOrvelA::slotDawIds[(size_t) slotId - 1] = dawId;

        for (int unit = 1; unit <= NsOrvelA::unitCount; ++unit)
            map().slotNode (slotId, unit).setProperty (NsOrvelA::mapIds::current, dawId, nullptr);
    }

    /** The entry of a control in the current slot of the current unit. */
    juce::ValueTree entry (int controlId) { return map().controlEntryInCurrentSlot (controlId); }
};
} // namespace corvix::testing
