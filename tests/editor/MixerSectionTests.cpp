#include "devices/PortNames.h"
#include "editor/MixerSection.h"
#include "link/MyTimer.h"
#include "map/Workstations.h"
#include "platform/MidiPacing.h"
#include "tests/editor/DrawnText.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/SimulatedUnit.h"
#include "ui/AssetImages.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findControl;
using corvix::testing::GuiHarness;
using corvix::testing::SimulatedUnit;
namespace ids = NsOrvelA::mapIds;

class Mixer : public corvix::testing::EditorTest
{
protected:
    Mixer()
    {
        // The editor's full refresh, as far as the mixer takes part in it.
        editor.onFullRefresh = [this]
        {
            section->showSlots();
            section->showStrips (currentModelId == 2057, map().currentDawId() == huiDawId);
        };
        editor.onPanelRefresh = [this] { section->refreshPanel(); };
    }

    /** A section whose device link, when it starts one, stays quiet until the test ticks it. */
    MixerSection& make()
    {
        section = std::make_unique<MixerSection>();
        corvix::testing::holdDeviceWatchTimerQuiet();
        section->setSize (598, 640);
        return *section;
    }

    MappableButton& control (int controlId) { return *findControl<MappableButton> (*section, controlId); }

    corvix::testing::RecordingEditor editor;
    std::unique_ptr<MixerSection> section;
};

TEST_F (Mixer, TheFirstSectionStartsTheDeviceLinkAndASecondOneLeavesIt)
{
    EXPECT_FALSE (isDeviceLinkRunning());
    slotLabelTexts[0][0].add ("stale");
    deviceTableBuffers[7][2][1791] = 5;

    section = std::make_unique<MixerSection>();
    auto* timer = deviceWatchTimer();
    ASSERT_NE (timer, nullptr);
    EXPECT_TRUE (timer->isTimerRunning());
    EXPECT_EQ (timer->getTimerInterval(), 2000);
    corvix::testing::holdDeviceWatchTimerQuiet();
    section->setSize (598, 640);
    EXPECT_EQ (hostInstance, host.get()) << "the test's Host stays the Host";
    EXPECT_EQ (talvor::osVersionLevel, talvor::currentOsVersionLevel());

    for (auto& slot : slotLabelTexts)
        for (auto& group : slot)
        {
            ASSERT_EQ (group.size(), 12);
            for (auto& text : group)
                EXPECT_EQ (text, juce::String::repeatedString (" ", 16));
        }

    EXPECT_EQ (deviceTableBuffers[7][2][1791], 0);

    slotLabelTexts[0][0].set (0, "kept");
    MixerSection second;
    EXPECT_EQ (deviceWatchTimer(), timer);
    EXPECT_EQ (slotLabelTexts[0][0][0], "kept");
    EXPECT_EQ (slotLabelTexts[0][0].size(), 12);
}

TEST_F (Mixer, StoppingTheLinkReleasesTheTimerButNotATestsHost)
{
    make();
    stopDeviceLink();
    EXPECT_FALSE (isDeviceLinkRunning());
    EXPECT_EQ (deviceWatchTimer(), nullptr);
    EXPECT_EQ (hostInstance, host.get());
    EXPECT_TRUE (startDeviceLink()) << "a stopped link starts again";
    EXPECT_FALSE (startDeviceLink());
}

TEST_F (Mixer, WithNoHostInstalledTheLinkStartsTheProcessHostAndItsStopReleasesIt)
{
    hostInstance = nullptr;
    ASSERT_TRUE (startDeviceLink());
    ASSERT_NE (hostInstance, nullptr);
    EXPECT_NE (hostInstance, host.get());
    EXPECT_EQ (hostInstance, Host::getInstanceWithoutCreating());

    stopDeviceLink();
    EXPECT_EQ (hostInstance, nullptr);
    EXPECT_EQ (Host::getInstanceWithoutCreating(), nullptr);
    EXPECT_EQ (deviceWatchTimer(), nullptr);
}

TEST_F (Mixer, LayoutOfASection598Wide)
{
    make();
    EXPECT_EQ (section->getSlotButton (0).getBounds(), juce::Rectangle<int> (107, 2, 112, 24));
    EXPECT_EQ (section->getSlotButton (1).getX(), 243);
    EXPECT_EQ (section->getSlotButton (2).getX(), 379);
    EXPECT_EQ (section->getOptionButton (0).getBounds(), juce::Rectangle<int> (222, 7, 13, 13));
    EXPECT_EQ (section->getOptionButton (1).getX(), 358);
    EXPECT_EQ (section->getOptionButton (2).getX(), 494);

    auto* dawLabel = corvix::testing::findFirst<juce::Label> (*section, [] (juce::Label& l) { return l.getText() == "DAW"; });
    ASSERT_NE (dawLabel, nullptr);
    EXPECT_EQ (dawLabel->getBounds(), juce::Rectangle<int> (64, 2, 36, 26));

    EXPECT_EQ (control (168).getBounds(), juce::Rectangle<int> (341, 57, 40, 40)) << "sixth knob";
    ASSERT_NE (control (168).getCaptionLabel(), nullptr);
    EXPECT_EQ (control (168).getCaptionLabel()->getBounds(), juce::Rectangle<int> (335, 32, 52, 25));
    EXPECT_EQ (control (158).getBounds(), juce::Rectangle<int> (335, 99, 52, 25)) << "below the sixth knob";
    EXPECT_EQ (control (10).getBounds(), juce::Rectangle<int> (74, 165, 52, 32)) << "grid row 2, column 2";
    EXPECT_EQ (control (32).getBounds(), juce::Rectangle<int> (465, 235, 52, 32));
    EXPECT_EQ (control (189).getBounds(), juce::Rectangle<int> (535, 329, 40, 80)) << "ninth fader";
    EXPECT_EQ (control (189).getCaptionLabel()->getBounds(), juce::Rectangle<int> (529, 304, 52, 25));
    EXPECT_EQ (control (180).getBounds(), juce::Rectangle<int> (529, 411, 52, 25));
    EXPECT_EQ (control (181).getX(), 14);
    EXPECT_EQ (control (186).getX(), 340);
    EXPECT_EQ (control (161).getBounds(), juce::Rectangle<int> (184, 518, 54, 28));
    EXPECT_EQ (control (162).getBounds(), juce::Rectangle<int> (370, 518, 54, 28));
    EXPECT_EQ (section->getMasterAssignChooser().getBounds(), juce::Rectangle<int> (516, 518, 71, 28));

    auto placeholders = corvix::testing::findAll<MappableButton> (*section, [] (MappableButton& b) { return b.getControlNumber() == -1; });
    ASSERT_EQ (placeholders.size(), 8);
    EXPECT_EQ (placeholders[2]->getBounds(), juce::Rectangle<int> (139, 276, 52, 25));
    EXPECT_FALSE (placeholders[2]->isEnabled());
    EXPECT_EQ (placeholders[2]->getKind(), 0);
}

TEST_F (Mixer, AnExtenderLaysOutEightStripsAndLeavesTheNinthWhereItWas)
{
    make();
    mixerStripCount = 8;
    section->setSize (700, 640);
    EXPECT_EQ (control (188).getX(), 470);
    EXPECT_EQ (control (189).getX(), 535) << "kept from the layout before";
    EXPECT_EQ (section->getSlotButton (0).getX(), 158);
}

TEST_F (Mixer, EveryControlButtonStandsForItsControlAndShowsItsCaption)
{
    chooseWorkstation (1, 1);
    entry (163).setProperty (ids::name, "Pan", nullptr);
    entry (5).setProperty (ids::name, "Mute", nullptr);
    make();

    auto buttons = section->getControlButtons();
    ASSERT_EQ (buttons.size(), 8 + 8 + 32 + 9 + 9 + 2);

    juce::Array<int> ids;
    for (auto* b : buttons)
        ids.add (b->getControlNumber());

    for (int id : { 1, 32, 153, 160, 161, 162, 163, 170, 172, 180, 181, 189 })
        EXPECT_TRUE (ids.contains (id)) << id;

    EXPECT_EQ (control (163).getShownCaption(), "Pan");
    EXPECT_EQ (control (163).getTooltip(), "") << "tooltips come with the panel refresh";
    section->refreshPanel();
    EXPECT_EQ (control (163).getTooltip(), "Pan");
    EXPECT_EQ (control (163).getCaptionLabel()->getText(), "Pan");
    EXPECT_EQ (control (5).getButtonText(), "Mute");
}

TEST_F (Mixer, EveryCaptionOfEveryWorkstationsDefaultMapIsDrawnWhole)
{
    make();
    auto& chooser = section->getMasterAssignChooser();

    for (int dawId = 1; dawId <= dawCount; ++dawId)
    {
        chooseWorkstation (1, dawId);
        editor.refreshFromModel();

        // The ninth strip shows the "Assign" controls' captions too, where the chooser is offered.
        for (const auto itemId : { 2, 1 })
        {
            if (chooser.isVisible())
                chooser.setSelectedId (itemId, juce::sendNotificationSync);

            section->refreshPanel();

            for (auto* child : section->getChildren())
            {
                if (! child->isVisible())
                    continue;

                if (auto* button = dynamic_cast<juce::TextButton*> (child))
                {
                    EXPECT_TRUE (corvix::testing::drawsWhole (*button, button->getButtonText()))
                        << "workstation " << dawId << ": \"" << button->getButtonText() << "\" at " << button->getBounds().toString();
                }
                else if (auto* label = dynamic_cast<juce::Label*> (child))
                {
                    EXPECT_TRUE (corvix::testing::drawsWhole (*label, label->getText()))
                        << "workstation " << dawId << ": \"" << label->getText() << "\" at " << label->getBounds().toString();
                }
            }

            if (chooser.isVisible())
            {
                EXPECT_TRUE (corvix::testing::drawsWhole (chooser, chooser.getText()))
                    << "workstation " << dawId << ": " << chooser.getText();
            }
        }
    }
}

TEST_F (Mixer, OptionsShowTheCurrentSlotsFlagsAndASlotsOwnOptionCannotBeSwitched)
{
    make();
    EXPECT_TRUE (section->getOptionButton (0).getToggleState());
    EXPECT_FALSE (section->getOptionButton (1).getToggleState());
    EXPECT_FALSE (section->getOptionButton (2).getToggleState());

    section->getOptionButton (0).triggerClick();
    GuiHarness::pump();
    EXPECT_TRUE (section->getOptionButton (0).getToggleState());
    EXPECT_EQ (slotOptionFlags[0][0], 1);
    EXPECT_EQ (slotDirty[0], 0);
}

TEST_F (Mixer, AnOptionOfAnotherSlotIsWrittenAndMarkedOnlyWhenTheSlotHasAWorkstation)
{
    currentSlotId = 2;
    host->setUnitCurrentSlot (2);
    make();
    EXPECT_TRUE (section->getSelectedSlotButton() == &section->getSlotButton (1));

    section->getOptionButton (0).triggerClick();
    GuiHarness::pump();
    EXPECT_TRUE (section->getOptionButton (0).getToggleState());
    EXPECT_EQ (slotOptionFlags[1][0], 1);
    EXPECT_EQ (static_cast<int> (map().slotNode (2).getProperty (ids::daw1)), 1);
    EXPECT_EQ (slotDirty[1], 0) << "slot 2 has no workstation";

    chooseWorkstation (2, 5);
    section->getOptionButton (0).triggerClick();
    GuiHarness::pump();
    EXPECT_FALSE (section->getOptionButton (0).getToggleState());
    EXPECT_EQ (slotOptionFlags[1][0], 0);
    EXPECT_EQ (static_cast<int> (map().slotNode (2).getProperty (ids::daw1)), 0);
    EXPECT_EQ (slotDirty[1], 1);
    EXPECT_EQ (slotDirty[0] + slotDirty[2], 0);
}

TEST_F (Mixer, ASlotSelectorSelectsItsSlotAndRefreshesTheEditor)
{
    chooseWorkstation (3, 7);
    make();
    section->getSlotButton (2).triggerClick();
    GuiHarness::pump();

    EXPECT_EQ (currentSlotId, 3);
    EXPECT_EQ (map().currentSlotId(), 3);
    EXPECT_FALSE (section->getSlotButton (0).getToggleState());
    EXPECT_TRUE (section->getSlotButton (2).getToggleState());
    EXPECT_EQ (section->getSelectedSlotButton(), &section->getSlotButton (2));
    EXPECT_EQ (editor.fullRefreshes, 1);
    EXPECT_EQ (editor.panelRefreshes, 1);
    EXPECT_EQ (section->getSlotButton (2).getButtonText(), dawDisplayName (7));
    EXPECT_TRUE (section->getOptionButton (2).getToggleState());
    EXPECT_FALSE (section->getOptionButton (0).getToggleState());
}

TEST_F (Mixer, TheSelectedSlotsCaptionIsRewrittenOnlyWhenItsWorkstationChangesOrAModeChooserAsks)
{
    make();
    section->refreshPanel();
    EXPECT_EQ (section->getSlotButton (0).getButtonText(), "1") << "no workstation yet";

    slotDawIds[0] = 2;
    section->refreshPanel();
    EXPECT_EQ (section->getSlotButton (0).getButtonText(), dawDisplayName (2));
    EXPECT_EQ (section->getSlotButton (0).getValueAsInt(), 2);

    section->getSlotButton (0).setButtonText ("changed");
    section->refreshPanel();
    EXPECT_EQ (section->getSlotButton (0).getButtonText(), "changed");

    slotCaptionRefresh = true;
    section->refreshPanel();
    EXPECT_EQ (section->getSlotButton (0).getButtonText(), dawDisplayName (2));
    EXPECT_FALSE (slotCaptionRefresh);

    slotDawIds[0] = 40;
    section->refreshPanel();
    EXPECT_EQ (section->getSlotButton (0).getButtonText(), dawDisplayName (2)) << "not a workstation";
}

TEST_F (Mixer, TheNinthFaderEditsMasterOrAssignControls)
{
    make();
    auto& chooser = section->getMasterAssignChooser();
    EXPECT_EQ (chooser.getText(), "Master");
    auto* fader = findControl<MappableButton> (*section, 189);
    auto* lower = findControl<MappableButton> (*section, 180);
    ASSERT_TRUE (fader != nullptr && lower != nullptr);

    chooser.setSelectedId (2, juce::sendNotificationSync);
    EXPECT_EQ (fader->getControlNumber(), 190);
    EXPECT_EQ (lower->getControlNumber(), 191);
    EXPECT_EQ (editor.panelRefreshes, 1);

    chooser.setSelectedId (1, juce::sendNotificationSync);
    EXPECT_EQ (fader->getControlNumber(), 189);
    EXPECT_EQ (lower->getControlNumber(), 180);
    EXPECT_EQ (editor.panelRefreshes, 2);
}

TEST_F (Mixer, AfterAssignTheHuiWorkstationPutsTheNinthStripBackOnMasterControls)
{
    chooseWorkstation (2, huiDawId);
    make();
    auto* fader = findControl<MappableButton> (*section, 189);
    auto* lower = findControl<MappableButton> (*section, 180);
    section->getMasterAssignChooser().setSelectedId (2, juce::sendNotificationSync);
    ASSERT_EQ (fader->getControlNumber(), 190);

    section->getSlotButton (1).triggerClick();
    GuiHarness::pump();

    EXPECT_FALSE (section->getMasterAssignChooser().isVisible());
    EXPECT_EQ (section->getMasterAssignChooser().getText(), "Master");
    EXPECT_EQ (fader->getControlNumber(), 189);
    EXPECT_EQ (lower->getControlNumber(), 180);

    section->getSlotButton (0).triggerClick();
    GuiHarness::pump();
    EXPECT_TRUE (section->getMasterAssignChooser().isVisible());
}

TEST_F (Mixer, TheNinthStripAndTheChooserBelongToTheMainUnit)
{
    make();
    section->showStrips (false, false);
    EXPECT_FALSE (findControl<MappableButton> (*section, 189)->isVisible());
    EXPECT_FALSE (findControl<MappableButton> (*section, 189)->getCaptionLabel()->isVisible());
    EXPECT_FALSE (findControl<MappableButton> (*section, 180)->isVisible());
    EXPECT_FALSE (section->getMasterAssignChooser().isVisible());
    EXPECT_TRUE (findControl<MappableButton> (*section, 188)->isVisible());

    section->showStrips (true, false);
    EXPECT_TRUE (findControl<MappableButton> (*section, 189)->isVisible());
    EXPECT_TRUE (section->getMasterAssignChooser().isVisible());
}

TEST_F (Mixer, ARightClickOnTheBackgroundOpensTheControlMenu)
{
    make();
    GuiHarness window (*section);
    const juce::Point<int> background (590, 620);
    ASSERT_EQ (section->getComponentAt (background), section.get());

    window.mouseDown (*section, background);
    window.mouseUp (*section, background);
    EXPECT_EQ (editor.controlMenus, 0);

    window.mouseDown (*section, background, true);
    window.mouseUp (*section, background);
    EXPECT_EQ (editor.controlMenus, 1);
}

TEST_F (Mixer, AMapWhoseUnitOrSlotIsZeroShowsAndWritesNothing)
{
    chooseWorkstation (1, 1);
    entry (5).setProperty (ids::name, "Mute", nullptr);
    map().deviceNode().setProperty (ids::current, 0, nullptr);
    make();
    section->refreshPanel();
    EXPECT_EQ (control (5).getButtonText(), "");
    EXPECT_EQ (control (5).getControlNumber(), 5) << "the button still stands for its control";

    map().getTree().setProperty (ids::current, 0, nullptr); // no unit at all
    const auto beforeNoUnit = map().getTree().createCopy();
    section->getSlotButton (1).triggerClick();
    GuiHarness::pump();
    section->getOptionButton (0).triggerClick();
    GuiHarness::pump();

    EXPECT_TRUE (map().getTree().isEquivalentTo (beforeNoUnit));
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
    EXPECT_EQ (control (5).getButtonText(), "");
}

TEST_F (Mixer, WithNoSelectedSlotNoSelectorIsOnAndTheOptionsDoNothing)
{
    make();
    currentSlotId = 0;
    section->showSlots();
    EXPECT_EQ (section->getSelectedSlotButton(), nullptr);

    for (int s = 0; s < 3; ++s)
    {
        EXPECT_FALSE (section->getSlotButton (s).getToggleState());
        EXPECT_FALSE (section->getOptionButton (s).getToggleState());
    }

    section->getOptionButton (1).triggerClick();
    GuiHarness::pump();
    EXPECT_FALSE (section->getOptionButton (1).getToggleState());
    section->refreshPanel();
}

//==============================================================================
class MixerWithUnit : public Mixer
{
protected:
    /** The link's next tick now, rather than after its period. */
    void tick() { corvix::testing::tickDeviceWatchTimer(); }

    /** The last "selected slot" status (0xEC 0x22 v) the unit received on its port 4; -1 for none. */
    int lastSlotStatus()
    {
        int value = -1;

        for (auto& m : unit.receivedOn (4))
            if (m.bytes.size() == 3 && m.bytes[0] == 0xEC && m.bytes[1] == 0x22)
                value = m.bytes[2];

        return value;
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    SimulatedUnit unit{ ports, SimulatedUnit::Setup{ 2057, "Orvel-A", 4, SimulatedUnit::PortNaming::sharedNames } };
};

TEST_F (MixerWithUnit, TheSelectedSlotIsWhatTheUnitIsToldAfterAnUpload)
{
    chooseWorkstation (3, 5);
    make();
    section->getSlotButton (2).triggerClick();
    GuiHarness::pump();
    section->getOptionButton (0).triggerClick();
    GuiHarness::pump();
    ASSERT_EQ (slotDirty[2], 1);

    tick();
    ASSERT_TRUE (corvix::testing::waitUntil ([this] { return lastSlotStatus() != -1; }));
    EXPECT_EQ (lastSlotStatus(), (3 << 5) | 5);
    EXPECT_EQ (unit.slot (3).settingWorkstation, 5);
    EXPECT_EQ (unit.slot (1).settingWorkstation, -1) << "only the marked slot is sent";
}

TEST_F (MixerWithUnit, ASlotTheUnitReportsBecomesTheSelectedSlot)
{
    chooseWorkstation (2, 4);
    make();
    tick(); // opens the unit's input
    unit.reportSelectedSlot (2, 4);
    ASSERT_TRUE (corvix::testing::waitUntil ([this] { return unit.repliesDelivered(); }));
    tick();

    EXPECT_EQ (currentSlotId, 2);
    EXPECT_EQ (section->getSelectedSlotButton(), &section->getSlotButton (1));
    EXPECT_TRUE (section->getSlotButton (1).getToggleState());
    EXPECT_FALSE (section->getSlotButton (0).getToggleState());
    EXPECT_EQ (lastSlotStatus(), (2 << 5) | 4) << "the units are told the slot back";
}

TEST_F (Mixer, PaintsItsBackgroundWithOrWithoutThePicture)
{
    make();
    const auto picture = GuiHarness::snapshot (*section);
    ASSERT_EQ (picture.getWidth(), 598);
    const auto asset = talvor::loadAssetImage ("bkg/Orvel-A.jpg");

    if (asset.isNull())
        EXPECT_EQ (picture.getPixelAt (590, 630), juce::Colour (0xff252525));
    else
        EXPECT_NE (picture.getPixelAt (590, 630).getAlpha(), 0);
}
} // namespace
