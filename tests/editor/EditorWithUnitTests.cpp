#include "devices/PortNames.h"
#include "editor/MainComp.h"
#include "link/MyTimer.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findControl;
using corvix::testing::GuiHarness;
using corvix::testing::SimulatedUnit;
namespace ids = NsOrvelA::mapIds;

/** The whole editor in a window, with a main unit on virtual ports. */
class EditorWithUnit : public corvix::testing::EditorTest
{
protected:
    ~EditorWithUnit() override
    {
        window = nullptr;
        editor = nullptr;
    }

    MainComp& open()
    {
        editor = std::make_unique<MainComp> (2057);
        corvix::testing::holdDeviceWatchTimerQuiet();
        window = std::make_unique<GuiHarness> (*editor, 850, 720);
        GuiHarness::pump (20);
        return *editor;
    }

    void tick() { corvix::testing::tickDeviceWatchTimer(); }

    void report (const std::function<void()>& send)
    {
        tick(); // keeps the unit's input open
        send();
        ASSERT_TRUE (corvix::testing::waitUntil ([this] { return unit.repliesDelivered(); }));
        tick();
    }

    MappableButton& mixerControl (int controlNumber) { return *findControl<MappableButton> (editor->getMixerSection(), controlNumber); }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    SimulatedUnit unit{ ports, SimulatedUnit::Setup{ 2057, "Orvel-A", 4, SimulatedUnit::PortNaming::sharedNames } };
    std::unique_ptr<MainComp> editor;
    std::unique_ptr<GuiHarness> window;
};

TEST_F (EditorWithUnit, TheFaderButtonShowsTheLockTheUnitReports)
{
    open();
    auto& fader = editor->getCommandButton (MainComp::Command::fader);
    EXPECT_EQ (fader.getButtonText(), "FADER UNLOCKED");

    report ([this] { unit.reportFaderState (1, false); });
    EXPECT_EQ (fader.getButtonText(), "FADER LOCKED");
    EXPECT_FALSE (fader.isEnabled());

    report ([this] { unit.reportFaderState (1, true); });
    EXPECT_EQ (fader.getButtonText(), "FADER UNLOCKED");
    EXPECT_TRUE (fader.isEnabled());

    report ([this] { unit.reportFaderState (2, false); });
    EXPECT_EQ (fader.getButtonText(), "FADER UNLOCKED") << "another slot's lock";
}

TEST_F (EditorWithUnit, AfterAssignASlotWithTheHuiWorkstationPutsTheNinthStripBackOnMaster)
{
    chooseWorkstation (1, 1);
    chooseWorkstation (2, huiDawId);
    open();
    auto& mixer = editor->getMixerSection();
    auto& ninthFader = mixerControl (189);
    auto& ninthLower = mixerControl (180);

    mixer.getMasterAssignChooser().setSelectedId (2, juce::sendNotificationSync);
    ASSERT_EQ (ninthFader.getControlNumber(), 190);
    ASSERT_EQ (ninthLower.getControlNumber(), 191);

    window->click (mixer.getSlotButton (1));
    EXPECT_EQ (currentSlotId, 2);
    EXPECT_EQ (mixer.getMasterAssignChooser().getText(), "Master");
    EXPECT_EQ (ninthFader.getControlNumber(), 189);
    EXPECT_EQ (ninthLower.getControlNumber(), 180);

    window->click (ninthFader);
    ASSERT_NE (currentControl, nullptr);
    EXPECT_EQ (currentControl->getControlNumber(), 189) << "the ninth fader edits the master fader";
    window->click (ninthLower);
    EXPECT_EQ (currentControl->getControlNumber(), 180);
}

TEST_F (EditorWithUnit, TheSlotSelectorChangesTheLiveMapAndWhatTheUnitIsTold)
{
    chooseWorkstation (1, 1);
    chooseWorkstation (3, 5);
    open();
    auto& mixer = editor->getMixerSection();

    window->click (mixer.getSlotButton (2));
    EXPECT_EQ (host->getStateTree().currentSlotId(), 3);
    window->click (mixer.getOptionButton (0));
    ASSERT_EQ (slotDirty[2], 1);

    tick();
    int status = -1;
    ASSERT_TRUE (corvix::testing::waitUntil (
        [&]
        {
            for (auto& m : unit.receivedOn (4))
                if (m.bytes.size() == 3 && m.bytes[0] == 0xEC && m.bytes[1] == 0x22)
                    status = m.bytes[2];
            return status != -1;
        }));
    EXPECT_EQ (status, (3 << 5) | 5);
}

TEST_F (EditorWithUnit, TheBackgroundIsLightGreyAndTheSelectedPageTabSkyBlue)
{
    open();
    auto& bar = editor->getPageTabs().getTabbedButtonBar();
    ASSERT_GE (bar.getNumTabs(), 2);
    bar.setCurrentTabIndex (1);
    GuiHarness::pump (10);

    const auto picture = GuiHarness::snapshot (*editor);
    EXPECT_EQ (picture.getPixelAt (2, 2), juce::Colour (0xffd3d3d3));

    const auto pixelOfTab = [&] (int index)
    {
        auto* tab = bar.getTabButton (index);
        const auto area = editor->getLocalArea (tab, tab->getActiveArea());
        return picture.getPixelAt (area.getX() + 4, area.getCentreY());
    };

    EXPECT_EQ (pixelOfTab (1), juce::Colour (0xff87ceeb));

    // An unselected tab is shaded from a lighter to a darker cadet blue, top to bottom.
    const auto cadet = juce::Colour (0xff5f9ea0);
    const auto other = pixelOfTab (0);
    EXPECT_NEAR (other.getRed(), cadet.getRed(), 30);
    EXPECT_NEAR (other.getGreen(), cadet.getGreen(), 30);
    EXPECT_NEAR (other.getBlue(), cadet.getBlue(), 30);
    EXPECT_GT (std::abs (other.getBlue() - 0xeb), 40) << "not the selected colour";
}
TEST_F (EditorWithUnit, ADragOnTheButtonTabSwapsTwoControlsAndSelectsTheTarget)
{
    chooseWorkstation (1, 1);
    entry (40).setProperty (ids::name, "Rec", nullptr);
    entry (41).setProperty (ids::name, "Undo", nullptr);
    open();
    editor->getSectionTabs().setCurrentTabIndex (1);
    GuiHarness::pump (10);

    auto& from = *findControl<MappableButton> (editor->getFuncSection(), 40);
    auto& to = *findControl<MappableButton> (editor->getFuncSection(), 41);
    ASSERT_EQ (from.getButtonText(), "Rec");

    window->drag (from, to);
    ASSERT_TRUE (GuiHarness::pumpUntil ([&] { return currentControl == &to; }));
    EXPECT_EQ (entry (40).getProperty (ids::name).toString(), "Undo");
    EXPECT_EQ (entry (41).getProperty (ids::name).toString(), "Rec");
    EXPECT_EQ (from.getButtonText(), "Undo");
    EXPECT_EQ (to.getButtonText(), "Rec");
    EXPECT_TRUE (to.getToggleState());
    EXPECT_EQ (slotDirty[0], 1);

    // The device-watch timer sends the slot with the two texts exchanged.
    tick();
    ASSERT_TRUE (corvix::testing::waitUntil ([this] { return unit.cellText (1, 41).startsWith ("Rec"); }));
    EXPECT_TRUE (unit.cellText (1, 40).startsWith ("Undo"));
}
} // namespace
