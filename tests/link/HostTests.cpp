#include "devices/PortNames.h"
#include "link/HostImpl.h"
#include "link/HostMidiInputHandler.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::HostTest;
using corvix::testing::SimulatedUnit;
using corvix::testing::waitUntil;

juce::File settingsFile() { return corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf"); }

/** Stores a tree in the settings file the way "SAVE AS DEFAULT" does, through a Host of its own. */
void storeInSettings (const juce::ValueTree& tree)
{
    Host writer;
    writer.getState().copyPropertiesAndChildrenFrom (tree, nullptr);
    writer.saveState();
}

class HostSettings : public HostTest
{
};

TEST_F (HostSettings, SaveAsDefaultWritesACompressedFileThatTheNextStartAdopts)
{
    host->getStateTree().slotNode (2, 1).setProperty (mapIds::current, 7, nullptr);
    auto entry = host->getStateTree().controlEntry (40, 2, 1);
    entry.setProperty (mapIds::name, "Kept & \"quoted\"", nullptr);
    host->saveState();
    const auto saved = host->getState();

    ASSERT_TRUE (settingsFile().existsAsFile());
    juce::MemoryBlock stored;
    settingsFile().loadFileAsData (stored);
    EXPECT_FALSE (stored.toString().contains ("<store")) << "the file is stored compressed";

    auto& next = makeHost();
    EXPECT_EQ (next.getStateTree().controlEntry (40, 2, 1).getProperty (mapIds::name).toString(), "Kept & \"quoted\"");
    // Values come back as texts, so the trees are compared in their written form.
    EXPECT_EQ (next.getState().toXmlString(), saved.toXmlString());
    EXPECT_EQ (slotDawIds[1], 7);
    EXPECT_EQ (slotDirty[1], 1);
}

TEST_F (HostSettings, ATreeOfAnotherLayoutVersionIsIgnored)
{
    auto stored = host->getState().createCopy();
    stored.setProperty (mapIds::ver, "0.22", nullptr);
    MapState (stored).slotNode (1, 1).setProperty (mapIds::current, 4, nullptr);
    storeInSettings (stored);

    auto& next = makeHost();
    EXPECT_EQ (next.getState().getProperty (mapIds::ver).toString(), "0.23");
    EXPECT_EQ (next.getStateTree().slotNode (1, 1).getProperty (mapIds::current), juce::var (0));
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 0, 0, 0 }));
}

TEST_F (HostSettings, OnlySlotsWithAWorkstationAreMarkedAndTheSlotStateFollowsUnitOne)
{
    auto stored = host->getState().createCopy();
    const MapState view (stored);
    const int workstations[] = { 4, 0, 19 };

    for (int slot = 1; slot <= 3; ++slot)
    {
        auto node = view.slotNode (slot, 1);
        node.setProperty (mapIds::current, workstations[slot - 1], nullptr);
        node.setProperty (mapIds::daw1, 0, nullptr);
        node.setProperty (mapIds::daw2, 0, nullptr);
        node.setProperty (mapIds::daw3, slot == 2 ? 1 : 0, nullptr);
    }

    storeInSettings (stored);
    makeHost();

    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 0, 0 }));
    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 4, 0, 19 }));
    EXPECT_EQ (slotOptionFlags[1], (std::array<int, 3>{ 0, 0, 1 }));
    EXPECT_EQ (slotOptionFlags[0], (std::array<int, 3>{ 0, 0, 0 }));
    EXPECT_EQ (currentSlotId, 1);
}

TEST_F (HostSettings, TheSlotsOfTheModelBeingEditedAreTheOnesMarked)
{
    auto stored = host->getState().createCopy();
    MapState (stored).slotNode (3, 3).setProperty (mapIds::current, 2, nullptr); // unit 3 is the Orvel-B2
    storeInSettings (stored);

    currentModelId = 2073;
    makeHost();
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 1 }));
    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 0, 0, 0 })) << "the workstations come from unit 1";
}

TEST_F (HostSettings, ASettingsFileThatIsNotUsableLeavesTheDefaultTree)
{
    settingsFile().getParentDirectory().createDirectory();
    settingsFile().replaceWithText ("this is no properties file");
    auto& next = makeHost();
    EXPECT_EQ (next.getState().getNumChildren(), 8);
    EXPECT_EQ (next.getState().getProperty (mapIds::ver).toString(), "0.23");
}

//==============================================================================
class HostMidiLink : public HostTest
{
protected:
    corvix::testing::SimulatedUnit unit{ ports, { 2057, "Orvel-A", 4, SimulatedUnit::PortNaming::windowsPairs } };
    talvor::ScopedPortNamingRules windowsRules{ talvor::PortNamingRules::windows };
};

TEST_F (HostMidiLink, EitherMemberOfAWindowsPairOpensBothPorts)
{
    for (auto* name : { "MIDIOUT4 (Orvel-A)", "MIDIIN4 (Orvel-A)" })
    {
        auto& handler = host->replaceMidiHandler();
        handler.openDevice (name);
        EXPECT_TRUE (handler.isOpen()) << name;
    }

    auto& handler = host->replaceMidiHandler();
    handler.openDevice ("MIDIOUT9 (Orvel-A)");
    EXPECT_FALSE (handler.isOpen());
}

TEST_F (HostMidiLink, AnOpenHandlerDecodesWhatTheUnitSends)
{
    auto& handler = host->replaceMidiHandler();
    handler.openDevice ("MIDIOUT4 (Orvel-A)");

    unit.sendRaw ({ 0x9A, 0x24, 0x05 });
    unit.reportFaderState (2, false);
    ASSERT_TRUE (waitUntil ([] { return faderReportPending.load() == 1; }));
    EXPECT_EQ (replySlots::reply24.load(), 5);
    EXPECT_EQ (reportedFaderSlot.load(), 2);
    EXPECT_EQ (slotFaderUnlocked[1].load(), 0);
}

TEST_F (HostMidiLink, AReplacedHandlerHearsNothingMoreAndANewOneStartsWithEmptySlots)
{
    host->replaceMidiHandler().openDevice ("MIDIOUT4 (Orvel-A)");
    host->replaceMidiHandler(); // closes the first one's ports
    EXPECT_EQ (replySlots::reply25.load(), replySlots::noReply);

    unit.sendRaw ({ 0x9A, 0x25, 0x01 });
    ASSERT_TRUE (waitUntil ([&] { return unit.repliesDelivered(); }));
    EXPECT_EQ (replySlots::reply25.load(), replySlots::noReply);
}

TEST_F (HostMidiLink, SetDeviceInputOpenUsesTheHighestPortOfTheModel)
{
    EXPECT_TRUE (setDeviceInputOpen (2057, true));
    ASSERT_NE (host->getMidiHandler(), nullptr);

    unit.sendRaw ({ 0x9A, 0x2E, 0x01 }, 4);
    ASSERT_TRUE (waitUntil ([] { return replySlots::reply2E.load() == 1; })) << "port 4 is the one listened to";

    EXPECT_FALSE (setDeviceInputOpen (2057, false));
}

TEST_F (HostMidiLink, AModelWithoutAPortStillGetsANewHandler)
{
    host->replaceMidiHandler().openDevice ("MIDIOUT4 (Orvel-A)");
    ASSERT_TRUE (host->getMidiHandler()->isOpen());

    EXPECT_FALSE (setDeviceInputOpen (2075, true));
    ASSERT_NE (host->getMidiHandler(), nullptr);
    EXPECT_FALSE (host->getMidiHandler()->isOpen()) << "the open handler was replaced";
}

TEST_F (HostMidiLink, WithoutAHostNothingOpens)
{
    hostInstance = nullptr;
    EXPECT_FALSE (setDeviceInputOpen (2057, true));
}

//==============================================================================
class RecordingEditor final : public EditorHooks
{
public:
    void refreshFromModel() override { calls.add ("refreshFromModel"); }
    bool applyModel (int productId) override
    {
        calls.add ("applyModel " + juce::String (productId));
        return true;
    }
    void refreshAllPanels() override { calls.add ("refreshAllPanels"); }
    void buildValueLists (ControlButton& control, MidiPageList) override
    {
        calls.add ("buildValueLists " + juce::String (control.getControlNumber()));
    }
    void showControlMenu() override { calls.add ("showControlMenu"); }
    void passTextToFuncPage (const juce::String& text, bool enabled) override
    {
        calls.add ("passTextToFuncPage " + text + (enabled ? " on" : " off"));
    }

    juce::StringArray calls;
};

class FakeButton final : public ControlButton
{
public:
    int getControlNumber() const override { return 40; }
    juce::String makeCaption() const override { return {}; }
    void setTooltipText (const juce::String&) override {}
};

void callEveryHook (Host& host)
{
    FakeButton button;
    host.refreshEditorPanels();
    host.refreshEditor();
    host.refreshEditorFull();
    host.refreshAfterOptionChange();
    host.refreshAfterDawChange();
    host.refreshPanelsAfterHotkey();
    host.refreshPanelsAfterMidiEdit();
    host.setEditorModel (2058);
    host.setCurrentSlot (3);
    host.showControlMenuFromMixer();
    host.showControlMenuFromButtons();
    host.showEditorText ("Play", false);
    host.showEditorText ("", true);
    host.showEditorTextFromMidiPage ("Stop", true);
    host.updateValueLists (button, MidiPageList::channel);
}

TEST_F (HostTest, WithoutAnEditorEveryHookDoesNothing)
{
    callEveryHook (*host);
    EXPECT_EQ (currentSlotId, 1) << "setCurrentSlot does nothing at all without an editor";
}

TEST_F (HostTest, HooksReachTheEditor)
{
    RecordingEditor editor;
    currentEditor = &editor;
    callEveryHook (*host);

    EXPECT_EQ (editor.calls, juce::StringArray ({ "refreshAllPanels", "refreshFromModel", "refreshFromModel", "refreshFromModel",
                                                  "refreshFromModel", "refreshAllPanels", "refreshAllPanels", "applyModel 2058",
                                                  "refreshFromModel", "refreshAllPanels", "showControlMenu", "showControlMenu",
                                                  "passTextToFuncPage Play off", "passTextToFuncPage Stop on", "buildValueLists 40" }));
    EXPECT_EQ (currentSlotId, 3);
}

TEST_F (HostTest, ASlotReportedOutsideOneToThreeIsNotSelected)
{
    RecordingEditor editor;
    currentEditor = &editor;

    for (int slot : { 0, 4, -1 })
        host->setCurrentSlot (slot);

    EXPECT_EQ (currentSlotId, 1);
    EXPECT_TRUE (editor.calls.isEmpty());
}
} // namespace
