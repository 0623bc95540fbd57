#include "devices/PortNames.h"
#include "editor/AboutBox.h"
#include "editor/CommandCaptions.h"
#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "editor/MappableButton.h"
#include "link/MyTimer.h"
#include "map/SharedEditingState.h"
#include "map/Workstations.h"
#include "platform/CpuFamily.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScopedFileSizeLimit.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findControl;
using corvix::testing::GuiHarness;
using corvix::testing::SimulatedUnit;
using talvor::test::ScriptedDialogs;
using talvor::test::ShownDialog;
using Command = MainComp::Command;
namespace ids = talvor::productIds;

/** An editor in a window over a Host of its own, with scripted dialogs. */
class EditorCommandDispatch : public corvix::testing::HostTest
{
protected:
    ~EditorCommandDispatch() override
    {
        harness = nullptr;
        editor = nullptr;
        stopDeviceLink();
    }

    MainComp& openEditor()
    {
        editor = std::make_unique<MainComp> (ids::orvelA);
        corvix::testing::holdDeviceWatchTimerQuiet();
        harness = std::make_unique<GuiHarness> (*editor, 600, 400);
        GuiHarness::pump (20);
        return *editor;
    }

    void click (Command command)
    {
        editor->getCommandButton (command).triggerClick();
        GuiHarness::pump (10);
    }

    bool press (int keyCode, int modifiers = 0) { return editor->keyPressed (juce::KeyPress (keyCode, juce::ModifierKeys (modifiers), 0)); }

    MappableButton& mixerControl (int controlNumber) { return *findControl<MappableButton> (editor->getMixerSection(), controlNumber); }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    ScriptedDialogs scripted;
    std::unique_ptr<MainComp> editor;
    std::unique_ptr<GuiHarness> harness;
};

TEST_F (EditorCommandDispatch, EachCommandButtonRunsItsOwnCommandAndTheFaderIndicatorNone)
{
    openEditor();
    scripted.forget();

    click (Command::fader);
    EXPECT_TRUE (scripted.shown().empty());

    click (Command::saveDefault);
    EXPECT_EQ (saveDefaultsPending, 1);
    EXPECT_TRUE (scripted.shown().empty()) << "storing the defaults shows nothing";

    click (Command::connect);
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().title, "Select your device to connect");
    EXPECT_EQ (scripted.last().associatedComponent, editor.get()) << "centred around the editor";

    click (Command::saveFile);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::saveChooser);
    click (Command::loadFile);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::openChooser);

    click (Command::send);
    scripted.deliverAsyncAnswers();
    EXPECT_EQ (scripted.last().title, "Send Mapping");
    EXPECT_EQ (scripted.last().message, "No selected output device!");
    EXPECT_EQ (scripted.shown().size(), 4u);
}

TEST_F (EditorCommandDispatch, ASaveAsDefaultThatCannotBeStoredSaysWhereAndWhy)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "a full disk is made with a POSIX file-size limit; Windows has none for an ordinary user";
#endif
    openEditor();
    scripted.forget();
    click (Command::saveDefault);
    {
        const corvix::testing::ScopedFileSizeLimit fullDisk (4096);
        corvix::testing::tickDeviceWatchTimer();
    }

    const auto file = corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf");
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().message,
               "Error: The map could not be saved as default in " + file.getFullPathName() + ": " + juce::String (std::strerror (EFBIG)));
    EXPECT_TRUE (scripted.last().title.isEmpty());
    EXPECT_FALSE (file.exists());
}

TEST_F (EditorCommandDispatch, SaveFileSaysSoWithTheButtonsCaption)
{
    openEditor();
    const auto file = corvix::testing::testSettingsFolder().getChildFile ("saved.corvix");
    file.deleteFile();
    scripted.answerFile (file);

    click (Command::saveFile);
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (scripted.last().message, "SAVE FILE successfully!");
}

TEST_F (EditorCommandDispatch, ALoadedFilesWorkstationsOptionsAndNamesReachTheCaptionsAndAUnit)
{
    SimulatedUnit unit (ports, {});
    slotDawIds = { 2, 2, 2 };
    auto& comp = openEditor();

    // A map file whose unit 1 has workstations 5, 6 and 7, each slot's options turned round, and
    // a name of its own on control 5 of slot 1.
    const auto before = host->getState().createCopy();
    for (int slotId = 1; slotId <= 3; ++slotId)
    {
        auto slot = host->getStateTree().slotNode (slotId, 1);
        slot.setProperty ("current", slotId + 4, nullptr);
        for (int option = 1; option <= 3; ++option)
            slot.setProperty ("daw" + juce::String (option), option == slotId ? 0 : 1, nullptr);
    }
    auto entry = host->getStateTree().controlEntry (5, 1, 1);
    entry.setProperty ("valueType", "func", nullptr);
    entry.setProperty ("name", "loaded five", nullptr);
    const auto file = corvix::testing::testSettingsFolder().getChildFile ("loaded.corvix");
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    host->getState().copyPropertiesAndChildrenFrom (before, nullptr);
    comp.refreshFromModel();
    comp.refreshAllPanels();
    ASSERT_NE (mixerControl (5).getShownCaption(), "loaded five");

    scripted.answerFile (file);
    click (Command::loadFile);

    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 5, 6, 7 }));
    EXPECT_EQ (mixerControl (5).getShownCaption(), "loaded five");
    EXPECT_EQ (comp.getFuncSection().getTitle().getText(), dawDisplayName (5));
    for (int slotId = 1; slotId <= 3; ++slotId)
        EXPECT_EQ (static_cast<int> (host->getStateTree().slotNode (slotId, 2).getProperty ("current")), slotId + 4)
            << "the refresh gave every unit the loaded workstations";

    MyTimer timer;
    timer.timerCallback();
    timer.stopTimer();

    for (int slotId = 1; slotId <= 3; ++slotId)
        EXPECT_EQ (unit.slot (slotId).settingWorkstation, slotId + 4) << "slot " << slotId;
    EXPECT_EQ (unit.slot (1).options, 0x03);
    EXPECT_EQ (unit.slot (2).options, 0x05);
    EXPECT_EQ (unit.slot (3).options, 0x06);
}

TEST_F (EditorCommandDispatch, AFailedLoadSaysWhyAndLeavesTheEditorAsItWas)
{
    slotDawIds = { 2, 0, 0 };
    host->getStateTree().slotNode (1, 1).setProperty ("current", 2, nullptr);
    auto entry = host->getStateTree().controlEntry (5, 1, 1);
    entry.setProperty ("valueType", "func", nullptr);
    entry.setProperty ("name", "kept five", nullptr);
    openEditor();
    const auto live = host->getState();
    const auto file = corvix::testing::testSettingsFolder().getChildFile ("not-a-map.corvix");
    ASSERT_TRUE (file.replaceWithText ("this is no map"));

    scripted.answerFile (file);
    click (Command::loadFile);

    EXPECT_EQ (scripted.last().message, "Error: Could not load mapping data");
    EXPECT_EQ (host->getState(), live);
    EXPECT_EQ (mixerControl (5).getShownCaption(), "kept five");
}

//==============================================================================
TEST_F (EditorCommandDispatch, ServiceKeysReachTheEditorsTabsAndBoxesButNoKeyIsConsumed)
{
    const talvor::ScopedCpuModelSource cpu ([] { return juce::String ("AMD Ryzen 7"); });
    auto& comp = openEditor();
    scripted.forget();

    EXPECT_FALSE (press ('I'));
    EXPECT_EQ (scripted.last().message, "CPU model: AMD");

    EXPECT_FALSE (press ('2', juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (comp.getSectionTabs().getCurrentTabIndex(), 1);
    EXPECT_FALSE (press ('1', juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (comp.getSectionTabs().getCurrentTabIndex(), 0);

    // The extenders have no second section tab.
    comp.getModelChooser().setSelectedId (2, juce::sendNotificationSync);
    press ('2', juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (comp.getSectionTabs().getCurrentTabIndex(), -1);
    press ('1', juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (comp.getSectionTabs().getCurrentTabIndex(), 0);
}

TEST_F (EditorCommandDispatch, ShiftMSendsTheTypedBytesToTheUnitOfTheModelBeingEdited)
{
    SimulatedUnit unit (ports, {});
    openEditor();
    scripted.answerText ("F0 7E");

    press ('M', juce::ModifierKeys::shiftModifier);

    EXPECT_EQ (scripted.last().title, "Input MIDI SYSEX");
    bool sent = false;
    for (auto& m : unit.receivedOn (4))
        sent = sent || m.bytes == std::vector<juce::uint8>{ 0xF0, 0x7E };
    EXPECT_TRUE (sent);
}

TEST_F (EditorCommandDispatch, TheMakersLogoOpensTheAboutBoxForAnyMouseButton)
{
    auto& comp = openEditor();
    scripted.forget();

    harness->click (comp.getMakerLogo());
    harness->click (comp.getMakerLogo(), true);

    ASSERT_EQ (scripted.shown().size(), 2u);
    for (auto& box : scripted.shown())
    {
        EXPECT_EQ (box.title, "Orvel-A/B Corvix V1.15");
        EXPECT_EQ (box.message, aboutBox::text());
    }
}
} // namespace
