#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "editor/MappableButton.h"
#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "platform/CpuFamily.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScriptedDialogs.h"

using namespace NsOrvelA;
namespace ids = talvor::productIds;
using corvix::testing::findControl;
using corvix::testing::GuiHarness;

namespace
{
/** A Host of its own, and an editor in a window once a test asks for one. The editor's first full
    refresh arrives with the model chooser's notification after construction. */
class MainCompTest : public corvix::testing::HostTest
{
protected:
    ~MainCompTest() override
    {
        harness = nullptr;
        editor = nullptr;
        stopDeviceLink();
    }

    MainComp& openEditor (int productId = ids::orvelA)
    {
        editor = std::make_unique<MainComp> (productId);
        corvix::testing::holdDeviceWatchTimerQuiet();
        harness = std::make_unique<GuiHarness> (*editor, 600, 400);
        GuiHarness::pump (20);
        return *editor;
    }

    MappableButton& mixerControl (int controlNumber)
    {
        auto* button = findControl<MappableButton> (editor->getMixerSection(), controlNumber);
        EXPECT_NE (button, nullptr) << controlNumber;
        return *button;
    }

    /** Gives a control of one unit's slot map (slot 1, workstation 2) a name of its own. */
    void nameControl (int unitId, int controlId, const juce::String& name)
    {
        host->getStateTree().slotNode (1, unitId).setProperty ("current", 2, nullptr);
        auto entry = host->getStateTree().controlEntry (controlId, 1, unitId);
        entry.setProperty ("valueType", "func", nullptr);
        entry.setProperty ("name", name, nullptr);
    }

    std::unique_ptr<MainComp> editor;
    std::unique_ptr<GuiHarness> harness;
};
} // namespace

TEST_F (MainCompTest, EveryLayoutPutsTheWindowBackTo850By720AndTitlesItWithTheProcessorFamily)
{
    const talvor::ScopedCpuModelSource cpu ([] { return juce::String ("Apple M2 Max"); });
    auto& comp = openEditor();
    auto& window = harness->getWindow();
    EXPECT_EQ (window.getWidth(), 850);
    EXPECT_EQ (window.getHeight(), 720);
    EXPECT_EQ (window.getName(), "Orvel-A/B Corvix V1.15 - Max");

    window.setSize (1000, 500);
    EXPECT_EQ (window.getWidth(), 850);
    EXPECT_EQ (window.getHeight(), 720);
    EXPECT_EQ (comp.getBounds(), juce::Rectangle<int> (0, 0, 850, 720));
}

TEST_F (MainCompTest, TheTitleKeepsItsSeparatorWithoutAProcessorFamily)
{
    const talvor::ScopedCpuModelSource cpu ([] { return juce::String ("Apple M3 Pro"); });
    openEditor();
    EXPECT_EQ (harness->getWindow().getName(), "Orvel-A/B Corvix V1.15 - ");
}

TEST_F (MainCompTest, AnEditorLaidOutBeforeItReachesTheWindowSizesAndTitlesTheWindowOnArrival)
{
    // As the shell does it: the page is laid out first, then put into a window already shown.
    const talvor::ScopedCpuModelSource cpu ([] { return juce::String ("Intel(R) Xeon(R)"); });
    juce::Component holder, page;
    GuiHarness shown (holder, 500, 400);
    editor = std::make_unique<MainComp> (ids::orvelA);
    page.addAndMakeVisible (*editor);
    editor->setBounds (0, 0, 600, 400);
    EXPECT_EQ (shown.getWindow().getName(), "test window");

    holder.addAndMakeVisible (page);
    EXPECT_EQ (shown.getWindow().getName(), "Orvel-A/B Corvix V1.15 - Intel");
    EXPECT_EQ (shown.getWindow().getWidth(), 850);
    EXPECT_EQ (shown.getWindow().getHeight(), 720);

    holder.removeChildComponent (&page);
    page.removeChildComponent (editor.get());
    editor = nullptr;
}

TEST_F (MainCompTest, LaysOutTheHeaderTabsAndTheFourOfferedCommandButtons)
{
    auto& comp = openEditor();
    EXPECT_EQ (comp.getModelChooser().getBounds(), juce::Rectangle<int> (640, 14, 170, 28));

    // What remains between the 42-pixel header and the 31-pixel command row is 704 - 42 - 31 = 631
    // high; the section tabs take a width of 631 - 27, so that their content is square.
    EXPECT_EQ (comp.getSectionTabs().getBounds(), juce::Rectangle<int> (10, 52, 600, 627));
    EXPECT_EQ (comp.getPageTabs().getBounds(), juce::Rectangle<int> (614, 52, 226, 627));

    using C = MainComp::Command;
    EXPECT_EQ (comp.getCommandButton (C::firmware).getBounds(), juce::Rectangle<int> (12, 685, 154, 23));
    EXPECT_EQ (comp.getCommandButton (C::loadFile).getBounds(), juce::Rectangle<int> (738, 685, 100, 23));
    EXPECT_EQ (comp.getCommandButton (C::saveFile).getBounds(), juce::Rectangle<int> (630, 685, 100, 23));
    EXPECT_EQ (comp.getCommandButton (C::saveDefault).getBounds(), juce::Rectangle<int> (522, 685, 100, 23));
    EXPECT_EQ (comp.getCommandButton (C::fader).getBounds(), juce::Rectangle<int> (198, 685, 100, 23));

    juce::StringArray shown, hidden;

    for (auto command : { C::firmware, C::saveDefault, C::fader, C::connect, C::send, C::saveFile, C::loadFile })
    {
        auto& button = comp.getCommandButton (command);
        (button.isVisible() ? shown : hidden).add (button.getButtonText());
    }

    EXPECT_EQ (shown.joinIntoString ("|"), "FIRMWARE UPGRADE|SAVE AS DEFAULT|SAVE FILE|LOAD FILE");
    EXPECT_EQ (hidden.joinIntoString ("|"), "FADER UNLOCKED|CONNECT|SEND DATA");
}

TEST_F (MainCompTest, TheSectionAndPageTabsStartWithTheirOwnNamesAndColours)
{
    auto& comp = openEditor();
    auto& sections = comp.getSectionTabs();
    ASSERT_EQ (sections.getNumTabs(), 2);
    EXPECT_EQ (sections.getTabNames().joinIntoString ("|"), "GENERAL SETTINGS|BUTTON FUNCTIONS");
    EXPECT_EQ (sections.getCurrentTabIndex(), 0);
    EXPECT_EQ (sections.getTabContentComponent (0), &comp.getMixerSection());
    EXPECT_EQ (sections.getTabContentComponent (1), &comp.getFuncSection());
    EXPECT_EQ (sections.getTabBackgroundColour (1), juce::Colour (0xffffa500));

    auto& pages = comp.getPageTabs();
    EXPECT_EQ (pages.getTabNames().joinIntoString ("|"), "FUNCTION|MIDI");
    EXPECT_EQ (pages.getTabBackgroundColour (0), juce::Colour (0xff87ceeb));
    EXPECT_EQ (pages.getTabBackgroundColour (1), juce::Colour (0xff5f9ea0));
}

TEST_F (MainCompTest, ShowsTheModelChosenAtConstruction)
{
    currentModelId = ids::orvelB3; // an extender chosen in an earlier editor stays
    auto& comp = openEditor (ids::orvelA);
    EXPECT_EQ (currentModelId, ids::orvelB3);
    EXPECT_EQ (comp.getModelChooser().getText(), "Orvel-B3");
    EXPECT_TRUE (comp.getProductPicture().getImage().isValid());
    EXPECT_EQ (comp.getProductPicture().getImage(), ProdLogo::pictureOf (ids::orvelB));
    EXPECT_NE (comp.getProductPicture().getImage(), ProdLogo::pictureOf (ids::orvelA));
    EXPECT_EQ (static_cast<int> (host->getState().getProperty ("current")), 4);
}

TEST_F (MainCompTest, AnUnknownModelAtConstructionGivesWayToTheEditorsProduct)
{
    currentModelId = 1234;
    auto& comp = openEditor (ids::orvelA);
    EXPECT_EQ (currentModelId, ids::orvelA);
    EXPECT_EQ (comp.getModelChooser().getText(), "Orvel-A");
    EXPECT_EQ (comp.getSectionTabs().getNumTabs(), 2);
}

TEST_F (MainCompTest, AnExtenderShowsOnlyItsOwnTabsAndEightFaderStrips)
{
    auto& comp = openEditor();
    comp.getSectionTabs().setCurrentTabIndex (1);
    comp.getModelChooser().setSelectedId (2, juce::sendNotificationSync); // Orvel-B

    EXPECT_EQ (currentModelId, ids::orvelB);
    EXPECT_EQ (comp.getSectionTabs().getTabNames().joinIntoString ("|"), "GENERAL SETTINGS");
    EXPECT_EQ (comp.getSectionTabs().getCurrentTabIndex(), 0);
    EXPECT_EQ (mixerStripCount, 8);
    EXPECT_FALSE (mixerControl (189).isVisible());
    EXPECT_TRUE (mixerControl (188).isVisible());
    EXPECT_FALSE (comp.getMixerSection().getMasterAssignChooser().isVisible());
    EXPECT_EQ (static_cast<int> (host->getState().getProperty ("current")), 2);

    // Back to the main unit: the button grid comes back as the second tab.
    comp.getModelChooser().setSelectedId (1, juce::sendNotificationSync);
    EXPECT_EQ (comp.getSectionTabs().getTabNames().joinIntoString ("|"), "GENERAL SETTINGS|BUTTON FUNCTIONS");
    EXPECT_EQ (comp.getSectionTabs().getTabContentComponent (1), &comp.getFuncSection());
    EXPECT_EQ (mixerStripCount, 9);
    EXPECT_TRUE (mixerControl (189).isVisible());
    EXPECT_TRUE (comp.getMixerSection().getMasterAssignChooser().isVisible());
}

TEST_F (MainCompTest, TogglingTheModelByItsPictureRefreshesTheCaptions)
{
    slotDawIds = { 2, 0, 0 };
    nameControl (1, 5, "main five");
    nameControl (2, 5, "extender five");
    auto& comp = openEditor();
    EXPECT_EQ (mixerControl (5).getShownCaption(), "main five");

    harness->click (comp.getProductPicture());
    EXPECT_EQ (currentModelId, ids::orvelB);
    EXPECT_EQ (comp.getModelChooser().getText(), "Orvel-B");
    EXPECT_EQ (comp.getSectionTabs().getNumTabs(), 1);
    EXPECT_EQ (mixerControl (5).getShownCaption(), "extender five");

    // Any extender toggles back to the main unit.
    comp.getModelChooser().setSelectedId (5, juce::sendNotificationSync);
    harness->click (comp.getProductPicture());
    EXPECT_EQ (currentModelId, ids::orvelA);
    EXPECT_EQ (mixerControl (5).getShownCaption(), "main five");
    EXPECT_EQ (comp.getSectionTabs().getNumTabs(), 2);
}

TEST_F (MainCompTest, TheFullRefreshGivesEveryUnitTheEditorsSlotsAndShowsTheFaderLock)
{
    auto& comp = openEditor();
    slotDawIds = { 4, 0, 9 };
    currentSlotId = 3;
    slotFaderUnlocked[2] = 0;
    comp.refreshFromModel();

    const auto state = host->getStateTree();

    for (int unitId = 1; unitId <= unitCount; ++unitId)
    {
        EXPECT_EQ (state.slotDawId (1), 4);
        EXPECT_EQ (static_cast<int> (state.slotNode (3, unitId).getProperty ("current")), 9) << unitId;
        EXPECT_EQ (static_cast<int> (state.slotNode (2, unitId).getProperty ("current")), 0) << unitId;
        EXPECT_EQ (static_cast<int> (state.deviceNode (unitId).getProperty ("current")), 3) << unitId;
    }

    auto& fader = comp.getCommandButton (MainComp::Command::fader);
    EXPECT_EQ (fader.getButtonText(), "FADER LOCKED");
    EXPECT_FALSE (fader.isEnabled());
    EXPECT_FALSE (fader.isVisible());

    slotFaderUnlocked[2] = 1;
    comp.refreshFromModel();
    EXPECT_EQ (fader.getButtonText(), "FADER UNLOCKED");
    EXPECT_TRUE (fader.isEnabled());
}

TEST_F (MainCompTest, AMapWithoutAValidSlotOrUnitShowsNothingAndMarksNothing)
{
    slotDawIds = { 2, 2, 2 };
    nameControl (1, 5, "five");
    auto& comp = openEditor();
    EXPECT_EQ (mixerControl (5).getShownCaption(), "five");

    // As a map file may hold them: no unit selected, no slot selected.
    host->getState().setProperty ("current", 0, nullptr);
    host->getStateTree().deviceNode (1).setProperty ("current", 0, nullptr);
    currentSlotId = 0;
    comp.refreshFromModel();
    comp.refreshAllPanels();
    harness->click (mixerControl (5));

    EXPECT_EQ (currentControl, &mixerControl (5));
    EXPECT_EQ (mixerControl (5).getShownCaption(), "");
    EXPECT_EQ (comp.getFuncSection().getTitle().getText(), "DAW");
    EXPECT_EQ (comp.getCommandButton (MainComp::Command::fader).getButtonText(), "FADER UNLOCKED");
    EXPECT_EQ (static_cast<int> (host->getState().getProperty ("current")), 0);
    EXPECT_EQ (static_cast<int> (host->getStateTree().deviceNode (1).getProperty ("current")), 0);
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));

    // A slot of a valid unit but no valid current unit still shows nothing.
    currentSlotId = 1;
    comp.refreshFromModel();
    comp.refreshAllPanels();
    EXPECT_EQ (mixerControl (5).getShownCaption(), "");
    EXPECT_EQ (comp.getFuncSection().getTitle().getText(), "Cubase");
}

TEST_F (MainCompTest, SelectingAControlMarksItAndOnlyIt)
{
    slotDawIds = { 2, 0, 0 };
    auto& comp = openEditor();
    auto& grid = comp.getFuncSection().getButtonSection();
    harness->click (mixerControl (7));
    EXPECT_EQ (currentControl, &mixerControl (7));
    EXPECT_TRUE (mixerControl (7).getToggleState());

    // The slot selectors and options are the mixer's: they never become the current control.
    harness->click (comp.getMixerSection().getOptionButton (1));
    EXPECT_EQ (currentControl, &mixerControl (7));

    comp.getSectionTabs().setCurrentTabIndex (1);
    GuiHarness::pump (10);

    harness->click (grid.getButton (3));
    EXPECT_EQ (currentControl, &grid.getButton (3));
    EXPECT_TRUE (grid.getButton (3).getToggleState());
    EXPECT_FALSE (mixerControl (7).getToggleState());
}

TEST_F (MainCompTest, GoingAwayClosesTheInputAndLeavesNoEditorBehind)
{
    slotDawIds = { 2, 0, 0 };
    openEditor();
    harness->click (mixerControl (7));
    ASSERT_NE (currentControl, nullptr);
    ASSERT_EQ (currentEditor, editor.get());

    harness = nullptr;
    editor = nullptr;
    EXPECT_EQ (keepInputOpen, 0);
    EXPECT_EQ (currentEditor, nullptr);
    EXPECT_EQ (currentControl, nullptr);

    // The Host's hooks now do nothing.
    host->refreshEditorPanels();
    host->refreshEditor();
}

TEST_F (MainCompTest, AMapFileWhoseUnitsSelectNoSlotLoadsAndShows)
{
    slotDawIds = { 2, 2, 2 };
    nameControl (1, 5, "five");
    auto& comp = openEditor();
    const auto file = corvix::testing::testSettingsFolder().getChildFile ("no-current.corvix");

    // No unit selects a slot, and the second slot names no workstation there is.
    for (int unitId = 1; unitId <= unitCount; ++unitId)
    {
        host->getStateTree().deviceNode (unitId).setProperty ("current", 0, nullptr);
        host->getStateTree().slotNode (2, unitId).setProperty ("current", 99, nullptr);
    }

    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    host->getStateTree().deviceNode (1).setProperty ("current", 2, nullptr);

    // What "LOAD FILE" does: read the file, then both refreshes.
    ASSERT_TRUE (host->loadMappingFile (file).wasOk());
    comp.refreshFromModel();
    comp.refreshAllPanels();
    harness->click (mixerControl (5));

    EXPECT_EQ (currentSlotId, 1);
    EXPECT_EQ (static_cast<int> (host->getStateTree().deviceNode (1).getProperty ("current")), 1);
    EXPECT_EQ (mixerControl (5).getShownCaption(), "five");
    EXPECT_EQ (comp.getMixerSection().getSlotButton (1).getButtonText(), "2");
    EXPECT_EQ (comp.getFuncSection().getTitle().getText(), "Cubase");

    currentSlotId = 2;
    comp.refreshFromModel();
    comp.refreshAllPanels();
    EXPECT_EQ (comp.getFuncSection().getTitle().getText(), "DAW");
    EXPECT_EQ (mixerControl (5).getShownCaption(), "");
}

TEST_F (MainCompTest, AProductThatIsNoUnitChangesNeitherTheChooserNorTheCurrentUnit)
{
    auto& comp = openEditor();
    EXPECT_TRUE (comp.applyModel (1234));
    EXPECT_EQ (comp.getModelChooser().getText(), "Orvel-A");
    EXPECT_EQ (static_cast<int> (host->getState().getProperty ("current")), 1);
}

TEST_F (MainCompTest, AButtonSelectedAfterAFaderOrAKnobShowsItsFunctionChosen)
{
    slotDawIds = { 2, 0, 0 };
    auto& comp = openEditor();
    auto& layer = comp.getFuncPage().getLayer();
    const auto state = host->getStateTree();

    int button = 0;
    for (int id = 1; id <= 32 && button == 0; ++id)
        if (state.controlEntryInCurrentSlot (id).getProperty ("valueType").toString() == "func"
            && mixerControl (id).makeCaption().isNotEmpty())
            button = id;

    ASSERT_NE (button, 0) << "the default map gives mixer buttons functions";
    const auto code = static_cast<int> (state.controlEntryInCurrentSlot (button).getProperty ("value"));

    for (int knobOrFader : { 181, 163 })
    {
        harness->click (mixerControl (knobOrFader));
        harness->click (mixerControl (button));

        auto* chosen = layer.getSelectedButton();
        ASSERT_NE (chosen, nullptr) << "after " << knobOrFader;
        EXPECT_EQ (chosen->getValueAsInt(), code);
        EXPECT_TRUE (chosen->getToggleState());
        EXPECT_TRUE (chosen->isVisible());
    }
}

TEST_F (MainCompTest, ANameTypedForALinkedButtonShowsOnEveryButtonOfItsColumn)
{
    slotDawIds = { 2, 0, 0 };
    auto& comp = openEditor();
    auto entry = host->getStateTree().controlEntryInCurrentSlot (57);
    entry.setProperty ("valueType", "midi", nullptr).setProperty ("type", "cc", nullptr).setProperty ("chan", 1, nullptr);
    entry.setProperty ("msgValue", 7, nullptr).setProperty ("name", "", nullptr);
    host->getStateTree().controlEntryInCurrentSlot (81).setProperty ("lockBy", 57, nullptr);
    comp.refreshAllPanels();

    comp.getSectionTabs().setCurrentTabIndex (1);
    GuiHarness::pump (10);
    auto& grid = comp.getFuncSection().getButtonSection();
    harness->click (grid.getButton (81 - 33));
    ASSERT_EQ (currentControl, &grid.getButton (81 - 33));

    // Typed as the user does: the field's editor, then Return.
    auto& field = comp.getMidiPage().getNameField();
    field.showEditor();
    auto* typing = field.getCurrentTextEditor();
    ASSERT_NE (typing, nullptr);
    typing->setText ({}, false);
    typing->insertTextAtCaret ("Riser");
    field.hideEditor (false);
    GuiHarness::pump (5);

    for (int id : { 33, 57, 81, 105, 129 })
    {
        auto& button = grid.getButton (id - 33);
        EXPECT_EQ (host->getStateTree().controlEntryInCurrentSlot (id).getProperty ("name").toString(), "Riser") << id;
        EXPECT_EQ (button.getShownCaption(), button.makeCaption()) << id;
        EXPECT_TRUE (button.getShownCaption().contains ("Riser")) << id << ": " << button.getShownCaption();
    }
}

TEST_F (MainCompTest, ALinkedButtonOfALoadedMapFileShowsTheEntryItSharesInTheFourLists)
{
    slotDawIds = { 2, 0, 0 };
    auto& comp = openEditor();
    const auto entryOf = [this] (int id) { return host->getStateTree().controlEntryInCurrentSlot (id); };
    const auto before = host->getState().createCopy();

    // A map file whose button 81 shares 57's entry, while its own entry says something else.
    const auto setMidi = [&entryOf] (int id, const char* type, int channel, int value, int rotation, const char* name)
    {
        entryOf (id)
            .setProperty ("valueType", "midi", nullptr)
            .setProperty ("type", type, nullptr)
            .setProperty ("chan", channel, nullptr)
            .setProperty ("value", value, nullptr)
            .setProperty ("msgValue", value, nullptr)
            .setProperty ("rotate", rotation, nullptr)
            .setProperty ("name", name, nullptr);
    };
    setMidi (57, "cc", 3, 7, 2, "Shared");
    setMidi (81, "note", 9, 60, 1, "Own");
    entryOf (81).setProperty ("lockBy", 57, nullptr);
    const auto file = corvix::testing::testSettingsFolder().getChildFile ("linked.corvix");
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    host->getState().copyPropertiesAndChildrenFrom (before, nullptr);
    comp.refreshFromModel();
    comp.refreshAllPanels();

    talvor::test::ScriptedDialogs dialogs;
    dialogs.answerFile (file);
    comp.getCommandButton (MainComp::Command::loadFile).triggerClick();
    GuiHarness::pump (10);
    ASSERT_EQ (static_cast<int> (entryOf (81).getProperty ("lockBy")), 57) << "the file was loaded";

    comp.getSectionTabs().setCurrentTabIndex (1);
    GuiHarness::pump (10);
    harness->click (comp.getFuncSection().getButtonSection().getButton (81 - 33));
    ASSERT_EQ (currentControl, &comp.getFuncSection().getButtonSection().getButton (81 - 33));

    auto& page = comp.getMidiPage();
    EXPECT_EQ (page.getTypeList().getText(), "CC");
    EXPECT_EQ (page.getChannelList().getSelectedId(), 3);
    EXPECT_EQ (page.getValueList().getSelectedItemIndex(), 7);
    EXPECT_EQ (page.getRotationList().getSelectedId(), 2);
    EXPECT_EQ (page.getNameField().getText(), "Shared");
    EXPECT_EQ (entryOf (81).getProperty ("type").toString(), "note") << "showing it changes nothing";
}
