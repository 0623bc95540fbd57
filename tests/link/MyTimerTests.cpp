#include "devices/PortNames.h"
#include "link/HostMidiInputHandler.h"
#include "link/MyTimer.h"
#include "link/UploadEngine.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/MapIdentifiers.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tables/DeviceTableBuilder.h"
#include "tables/SlotSignatures.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using corvix::testing::waitUntil;

class DeviceWatch : public corvix::testing::HostTest
{
protected:
    SimulatedUnit& addUnit (int productId, const juce::String& name, int portCount = 4)
    {
        units.push_back (std::make_unique<SimulatedUnit> (
            ports, SimulatedUnit::Setup{ productId, name, portCount, SimulatedUnit::PortNaming::sharedNames }));
        return *units.back();
    }

    void chooseWorkstation (int slotId, int dawId, int unitId = 1)
    {
        host->getStateTree().slotNode (slotId, unitId).setProperty (mapIds::current, dawId, nullptr);
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    std::vector<std::unique_ptr<SimulatedUnit>> units;
    MyTimer timer;
};

//==============================================================================
TEST_F (DeviceWatch, OnlyUnitPortsFromFourUpAndTheMakersFirstPortsGetUploads)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2073, "Orvel-B2");
    auto& generic = addUnit (2057, "TALVOR Midi", 2);
    auto& other = addUnit (2057, "Synth", 4);
    chooseWorkstation (1, 1);
    slotDirty[0] = 1;

    uploadMappings();

    EXPECT_FALSE (main.received().empty());
    EXPECT_FALSE (main.receivedOn (4).empty());
    for (int port = 1; port <= 3; ++port)
        EXPECT_TRUE (main.receivedOn (port).empty()) << "port " << port;

    EXPECT_FALSE (extender.receivedOn (4).empty());
    EXPECT_FALSE (generic.receivedOn (1).empty()) << "the maker's port 1 is taken for the model being edited";
    EXPECT_TRUE (generic.receivedOn (2).empty());
    EXPECT_TRUE (other.received().empty());
    EXPECT_EQ (slotSending, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
}

TEST_F (DeviceWatch, NothingMarkedMeansNothingSent)
{
    auto& main = addUnit (2057, "Orvel-A");
    uploadMappings();
    EXPECT_TRUE (main.received().empty());
}

TEST_F (DeviceWatch, AnEditMadeWhileASlotIsSentIsSentAgain)
{
    auto& main = addUnit (2057, "Orvel-A");
    chooseWorkstation (2, 4);
    slotDirty[1] = 1;
    bool edited = false;
    main.onMessage = [&] (const SimulatedUnit::ReceivedMessage& m)
    {
        if (! edited && m.bytes.size() == 234)
        {
            edited = true;
            slotDirty[1] = 1; // the editor marks the slot during the upload
        }
    };

    uploadMappings();
    EXPECT_EQ (slotSending[1], 0);
    EXPECT_EQ (slotDirty[1], 1);
}

//==============================================================================
TEST_F (DeviceWatch, TicksEveryHalfSecondIdleAndTwoSecondsAfterAnUpload)
{
    timer.timerCallback();
    EXPECT_EQ (timer.getTimerInterval(), 500);

    slotDirty[0] = 1;
    timer.timerCallback();
    EXPECT_EQ (timer.getTimerInterval(), 2000);

    timer.timerCallback();
    EXPECT_EQ (timer.getTimerInterval(), 500);
    timer.stopTimer();
}

TEST_F (DeviceWatch, ATickDuringAConversationOnlyReArms)
{
    auto& main = addUnit (2057, "Orvel-A");
    slotDirty[0] = 1;
    saveDefaultsPending = 1;
    transferBusy = 1;

    timer.timerCallback();
    EXPECT_EQ (timer.getTimerInterval(), 500);
    EXPECT_TRUE (main.received().empty());
    EXPECT_EQ (slotDirty[0], 1);
    EXPECT_EQ (saveDefaultsPending, 1);
    timer.stopTimer();
}

TEST_F (DeviceWatch, TheSystemSettingGoesOutOncePerChangeOfTheOutputs)
{
    auto& main = addUnit (2057, "Orvel-A");

    timer.timerCallback();
    ASSERT_TRUE (waitUntil ([] { return replySlots::reply2A.load() == 1; })) << "the unit's acknowledgement is decoded";
    timer.timerCallback();
    timer.timerCallback();
    EXPECT_EQ (main.countChannelMessages (0xEC, 0x2A), 1);

    addUnit (2058, "Orvel-B");
    timer.timerCallback(); // the list changed: the counter decides which tick tries
    timer.timerCallback();
    timer.timerCallback();
    EXPECT_EQ (main.countChannelMessages (0xEC, 0x2A), 2);
    EXPECT_EQ (units[1]->countChannelMessages (0xEC, 0x2A), 1);
    timer.stopTimer();
}

TEST_F (DeviceWatch, SaveAsDefaultTellsTheMainUnitThenTheExtendersThenStoresTheMap)
{
    std::vector<juce::String> log;
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");
    auto& numbered = addUnit (2075, "Orvel-B4");
    main.onMessage = [&] (auto& m)
    {
        if (m.bytes.size() == 3 && m.bytes[1] == 0x2D)
            log.push_back ("main");
    };
    extender.onMessage = [&] (auto& m)
    {
        if (m.bytes.size() == 3 && m.bytes[1] == 0x2D)
            log.push_back ("extender");
    };

    const auto settings = corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf");
    settings.deleteFile();
    saveDefaultsPending = 1;
    timer.timerCallback();

    EXPECT_EQ (log, (std::vector<juce::String>{ "main", "extender" }));
    EXPECT_EQ (main.countChannelMessages (0xEC, 0x2D), 1);
    EXPECT_EQ (numbered.countChannelMessages (0xEC, 0x2D), 0) << "only the plain extender stores defaults";
    EXPECT_EQ (saveDefaultsPending, 0);
    EXPECT_TRUE (settings.existsAsFile());
    timer.stopTimer();
}

TEST_F (DeviceWatch, ASlotReportSelectsTheSlotAndIsPassedOn)
{
    struct Editor final : EditorHooks
    {
        void refreshFromModel() override {}
        bool applyModel (int) override { return true; }
        void refreshAllPanels() override {}
        void buildValueLists (ControlButton&, MidiPageList) override {}
        void showControlMenu() override {}
        void passTextToFuncPage (const juce::String&, bool) override {}
    } editor;
    currentEditor = &editor;

    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");
    slotDawIds = { 0, 7, 0 };

    timer.timerCallback(); // opens the main unit's input
    main.reportSelectedSlot (2);
    ASSERT_TRUE (waitUntil ([] { return slotSelectReportPending.load() == 1; }));
    timer.timerCallback();

    EXPECT_EQ (currentSlotId, 2);
    EXPECT_EQ (slotSelectReportPending.load(), 0);
    EXPECT_EQ (extender.countChannelMessages (0xEC, 0x22), 1);
    EXPECT_EQ (main.countChannelMessages (0xEC, 0x22), 1);
    EXPECT_EQ (main.received().back().bytes, (std::vector<juce::uint8>{ 0xEC, 0x22, (2 << 5) | 7 }));
    timer.stopTimer();
}

TEST_F (DeviceWatch, AFaderReportIsPassedToTheExtenders)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2076, "Orvel-B5");

    timer.timerCallback();
    main.reportFaderState (3, false);
    ASSERT_TRUE (waitUntil ([] { return faderReportPending.load() == 1; }));
    timer.timerCallback();

    EXPECT_EQ (faderReportPending.load(), 0);
    EXPECT_EQ (extender.received().back().bytes, (std::vector<juce::uint8>{ 0xEC, 0x23, 3 << 5 }));
    timer.stopTimer();
}

TEST_F (DeviceWatch, AUnitThatVanishesMidUploadLeavesNothingBusyAndTheNextTickRuns)
{
    auto& main = addUnit (2057, "Orvel-A");
    chooseWorkstation (1, 1);
    slotDirty[0] = 1;
    main.vanishAfter (5);

    timer.timerCallback();
    EXPECT_FALSE (main.isPlugged());
    EXPECT_EQ (transferBusy, 0);
    EXPECT_EQ (slotSending[0], 0);

    auto& replacement = addUnit (2057, "Orvel-A again");
    slotDirty[0] = 1;
    timer.timerCallback();
    const auto commands = replacement.receivedCommands();
    ASSERT_FALSE (commands.empty());
    EXPECT_EQ (commands.back(), 0x27) << "a whole conversation ran to its closing request";
    timer.stopTimer();
}

//==============================================================================
// The whole way: an edit in the map, the timer's tick, and the bytes the units keep.
TEST_F (DeviceWatch, AnEditReachesTheUnitsAndTheNextUploadFindsThemInSync)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");

    for (int unitId : { 1, 2 })
    {
        chooseWorkstation (2, 2, unitId);
        auto entry = host->getStateTree().controlEntry (40, 2, unitId);
        entry.setProperty (mapIds::valueType, "func", nullptr);
        entry.setProperty (mapIds::value, 0x5B, nullptr);
        entry.setProperty (mapIds::name, "My Play", nullptr);
    }
    slotDirty[1] = 1;

    timer.startTimer (1);
    ASSERT_TRUE (waitUntil ([&] { return timer.getTimerInterval() == 2000; }, 10000));
    timer.stopTimer();

    const auto row = static_cast<size_t> (controlTableRow (40));

    for (auto [unit, unitIndex] : { std::pair<SimulatedUnit*, size_t>{ &main, 0 }, { &extender, 1 } })
    {
        const auto received = unit->slot (2);
        const auto& expected = deviceTableBuffers[unitIndex][1];
        EXPECT_TRUE (std::equal (expected.begin(), expected.end(), received.table.begin())) << "unit " << unitIndex;
        EXPECT_EQ (std::vector<juce::uint8> (received.table.begin() + (long) row * 8, received.table.begin() + (long) row * 8 + 5),
                   (std::vector<juce::uint8>{ 0x19, 0x09, 0x00, 0x5B, 0x7F }));
        EXPECT_EQ (received.signature, signature21Bits (slotSignatures[unitIndex][1]));
    }

    EXPECT_EQ (main.cellText (2, 40), "My Play         ");
    EXPECT_EQ (main.cellText (2, 40), hotkeyCellText (host->getStateTree().controlEntry (40, 2, 1)));
    EXPECT_EQ (main.slot (2).options, 0x02);

    // Nothing changed since: the units report every slot in sync and get no slot data.
    main.clearReceived();
    extender.clearReceived();
    slotDirty[1] = 1;
    timer.timerCallback();
    timer.stopTimer();

    for (auto* unit : { &main, &extender })
    {
        EXPECT_EQ (unit->receivedCommands(), std::vector<juce::uint8>{ 0x24 });
        EXPECT_EQ (unit->countChannelMessages (0xEC, 0x22), 1);
    }
}
//==============================================================================
/** An editor that counts its full refreshes and can act inside one. */
struct CountingEditor final : EditorHooks
{
    void refreshFromModel() override
    {
        ++refreshes;

        if (duringRefresh)
            duringRefresh();
    }

    bool applyModel (int) override { return true; }
    void refreshAllPanels() override {}
    void buildValueLists (ControlButton&, MidiPageList) override {}
    void showControlMenu() override {}
    void passTextToFuncPage (const juce::String&, bool) override {}

    int refreshes = 0;
    std::function<void()> duringRefresh;
};

TEST_F (DeviceWatch, WhileTheInputIsNotToBeKeptOpenItStaysClosed)
{
    auto& main = addUnit (2057, "Orvel-A");
    keepInputOpen = 0;

    timer.timerCallback();
    main.reportSelectedSlot (2);
    EXPECT_FALSE (waitUntil ([] { return slotSelectReportPending.load() != 0; }, 200)) << "no input is open to hear it";
    EXPECT_TRUE (host->getMidiHandler() == nullptr || ! host->getMidiHandler()->isOpen());

    keepInputOpen = 1;
    timer.timerCallback();
    main.reportSelectedSlot (2);
    EXPECT_TRUE (waitUntil ([] { return slotSelectReportPending.load() != 0; }));
    timer.stopTimer();
}

TEST_F (DeviceWatch, AFaderReportRefreshesTheEditor)
{
    CountingEditor editor;
    currentEditor = &editor;
    auto& main = addUnit (2057, "Orvel-A");

    timer.timerCallback();
    EXPECT_EQ (editor.refreshes, 0);

    main.reportFaderState (2, false);
    ASSERT_TRUE (waitUntil ([] { return faderReportPending.load() == 1; }));
    timer.timerCallback();

    EXPECT_EQ (editor.refreshes, 1);
    EXPECT_EQ (slotFaderUnlocked[1].load(), 0) << "what the editor shows after its refresh";
    timer.stopTimer();
}

TEST_F (DeviceWatch, ATickSendsItsStatusMessagesInOneOrder)
{
    // Everything pending at once: a slot report, a fader report, the system setting after a new
    // list of outputs, and "SAVE AS DEFAULT".
    std::vector<std::string> sent;
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");
    const auto record = [&sent] (const char* who)
    {
        return [&sent, who] (const SimulatedUnit::ReceivedMessage& m)
        {
            if (m.bytes.size() == 3 && m.bytes[0] == 0xEC)
                sent.push_back (who + juce::String::toHexString (m.bytes[1]).toStdString());
        };
    };
    main.onMessage = record ("A");
    extender.onMessage = record ("B");

    timer.timerCallback();   // opens the main unit's input, and sends the system setting
    addUnit (2000, "Synth"); // a new list of outputs
    timer.timerCallback();   // the list changed: this tick only counts
    main.reportSelectedSlot (2);
    main.reportFaderState (3, true);
    ASSERT_TRUE (waitUntil ([] { return slotSelectReportPending.load() != 0 && faderReportPending.load() != 0; }));
    sent.clear();
    saveDefaultsPending = 1;
    timer.timerCallback();

    EXPECT_EQ (sent, (std::vector<std::string>{ "B22", "A22", "B23", "A2a", "B2a", "A2d", "B2d" }));
    timer.stopTimer();
}

TEST_F (DeviceWatch, TheSystemSettingIsTriedThreeTimesAtMostWithTheOutputsItLastWentTo)
{
    auto& main = addUnit (2057, "Orvel-A");
    addUnit (2058, "Orvel-B");
    timer.timerCallback(); // goes out to both: these outputs are the ones it last went to

    // Another unit comes and goes; meanwhile every try is cut short, because a conversation
    // starts while it runs, so the setting never reaches the second unit and the try fails.
    addUnit (2000, "Synth");
    timer.timerCallback();
    for (int port = 1; port <= 4; ++port)
        ports.removeOutput ("Synth " + juce::String (port));
    main.clearReceived();
    main.onMessage = [] (const SimulatedUnit::ReceivedMessage& m)
    {
        if (m.bytes.size() == 3 && m.bytes[1] == 0x2A)
            transferBusy = 1;
    };

    for (int tick = 0; tick < 12; ++tick)
    {
        timer.timerCallback();
        transferBusy = 0;
    }

    EXPECT_EQ (main.countChannelMessages (0xEC, 0x2A), 3);
    timer.stopTimer();
}

TEST_F (DeviceWatch, AReportArrivingWhileThePreviousOneIsHandledIsNotLost)
{
    CountingEditor editor;
    currentEditor = &editor;
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");
    timer.timerCallback();

    // A slot report comes while the timer selects the slot the last one named.
    main.reportSelectedSlot (2);
    ASSERT_TRUE (waitUntil ([] { return slotSelectReportPending.load() != 0; }));
    editor.duringRefresh = [&]
    {
        editor.duringRefresh = nullptr;
        main.reportSelectedSlot (3);
        waitUntil ([] { return reportedSelectSlot.load() == 3; });
    };
    timer.timerCallback();
    EXPECT_EQ (slotSelectReportPending.load(), 1) << "the second report waits for the next tick";
    timer.timerCallback();
    EXPECT_EQ (currentSlotId, 3);

    // A fader report comes while the last one is passed on to the extenders.
    main.reportFaderState (1, false);
    ASSERT_TRUE (waitUntil ([] { return faderReportPending.load() != 0; }));
    extender.onMessage = [&] (const SimulatedUnit::ReceivedMessage& m)
    {
        if (m.bytes.size() == 3 && m.bytes[1] == 0x23 && m.bytes[2] == (1 << 5))
        {
            main.reportFaderState (2, true);
            waitUntil ([] { return reportedFaderSlot.load() == 2; });
        }
    };
    timer.timerCallback();
    EXPECT_EQ (faderReportPending.load(), 1) << "the second report waits for the next tick";
    timer.timerCallback();
    EXPECT_EQ (extender.received().back().bytes, (std::vector<juce::uint8>{ 0xEC, 0x23, (2 << 5) | 1 }));
    timer.stopTimer();
}

TEST_F (DeviceWatch, TheWalkOverTheOutputsStartsAgainWhenTheListChangesAndGivesUpAfterEightRestarts)
{
    auto& main = addUnit (2057, "Orvel-A");
    addUnit (2000, "Synth"); // the walk goes on past the unit
    chooseWorkstation (1, 1);
    int added = 0;
    int changesLeft = 1;

    // Another output comes while the unit hears its opening request.
    main.onMessage = [&] (const SimulatedUnit::ReceivedMessage& m)
    {
        if (m.bytes.size() == 16 && m.bytes[5] == 0x24 && changesLeft-- > 0)
            ports.addOutput ("Dummy " + juce::String (++added), [] (const juce::MidiMessage&) {});
    };

    const auto openingRequests = [&main]
    {
        const auto commands = main.receivedCommands();
        return std::count (commands.begin(), commands.end(), 0x24);
    };

    slotDirty[0] = 1;
    uploadMappings();
    EXPECT_EQ (openingRequests(), 2) << "one change: the walk starts again once";

    main.clearReceived();
    changesLeft = 1000;
    slotDirty[0] = 1;
    uploadMappings();
    EXPECT_EQ (openingRequests(), 1 + 8) << "a list that changes on every look: eight restarts, then on";
    EXPECT_EQ (slotSending, (std::array<juce::uint8, slotCount>{ 0, 0, 0 }));
    timer.stopTimer();
}
TEST_F (DeviceWatch, EveryUnitGetsTheTablesOfItsOwnMap)
{
    // All eight units, each with its own function on control 40 of slot 1.
    const int productIds[] = { 2057, 2058, 2073, 2074, 2075, 2076, 2077, 2078 };
    const char* names[] = { "Orvel-A", "Orvel-B", "Orvel-B2", "Orvel-B3", "Orvel-B4", "Orvel-B5", "Orvel-B6", "Orvel-B7" };
    std::vector<SimulatedUnit*> all;

    for (int unitId = 1; unitId <= unitCount; ++unitId)
    {
        all.push_back (&addUnit (productIds[unitId - 1], names[unitId - 1]));
        chooseWorkstation (1, 2, unitId);
        auto entry = host->getStateTree().controlEntry (40, 1, unitId);
        entry.setProperty (mapIds::valueType, "func", nullptr);
        entry.setProperty (mapIds::value, 0x50 + unitId, nullptr);
    }

    slotDirty[0] = 1;
    uploadMappings();
    timer.stopTimer();

    const auto at = static_cast<size_t> (controlTableRow (40)) * 8 + 3;

    for (int unitId = 1; unitId <= unitCount; ++unitId)
        EXPECT_EQ (all[(size_t) unitId - 1]->slot (1).table[at], 0x50 + unitId) << names[unitId - 1];
}
TEST_F (DeviceWatch, TheMakersGenericPortTakesTheUploadOfTheModelBeingEdited)
{
    // Its name tells no product: the upload is for the unit being edited, here an extender.
    auto& generic = addUnit (2057, "TALVOR Midi", 2);
    currentModelId = 2058;
    chooseWorkstation (1, 1, 2);
    slotDirty[0] = 1;

    uploadMappings();

    const auto received = generic.receivedOn (1);
    ASSERT_FALSE (received.empty());
    ASSERT_GE (received.front().bytes.size(), 5u);
    EXPECT_EQ (received.front().bytes[3], 0x10);
    EXPECT_EQ (received.front().bytes[4], 0x0A) << "addressed to an extender";
    timer.stopTimer();
}
TEST_F (DeviceWatch, TheMainUnitsInputIsPreferredWhateverModelIsEdited)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& extender = addUnit (2058, "Orvel-B");
    currentModelId = 2058;

    timer.timerCallback();
    extender.reportSelectedSlot (3);
    main.reportSelectedSlot (2);
    ASSERT_TRUE (waitUntil ([] { return slotSelectReportPending.load() != 0; }));
    EXPECT_EQ (reportedSelectSlot.load(), 2) << "only the main unit is heard";
    timer.stopTimer();
}
} // namespace
