#include "firmware/FirmwareServer.h"
#include "firmware/WizardState.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/FirmwareSelectComponent.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;
using namespace talvor::test;

juce::ValueTree twoEntries()
{
    juce::ValueTree catalogue ("firmwares");
    catalogue.appendChild (juce::ValueTree ("fw", { { "pid", 2057 }, { "name", "N1" }, { "version", "2.0" }, { "fw", "fw/n1_2.0.bin" } }),
                           nullptr);
    catalogue.appendChild (juce::ValueTree ("fw", { { "pid", 2057 }, { "name", "N2" }, { "version", "3.0" }, { "fw", "fw/n2_3.0.bin" } }),
                           nullptr);
    return catalogue;
}

class FirmwareChooser : public testing::Test
{
protected:
    ScriptedDialogs scripted;

    void SetUp() override
    {
        resetWizardState();
        firmwareServerRootSetting = "http://127.0.0.1:8/root/";
    }

    void TearDown() override { resetWizardState(); }

    juce::URL choose (ScriptedDialogs::ModalAction action, int preselect = 0)
    {
        scripted.answerModal (std::move (action));
        return FirmwareSelectComponent::choose (twoEntries(), preselect, nullptr);
    }
};

TEST_F (FirmwareChooser, ShowsEachEntryAsNameAndVersion)
{
    FirmwareSelectComponent chooser (twoEntries(), 0);
    auto& list = childOf<juce::ComboBox> (chooser);

    ASSERT_EQ (list.getNumItems(), 2);
    EXPECT_EQ (list.getItemText (0), "N1 V2.0");
    EXPECT_EQ (list.getItemText (1), "N2 V3.0");
    EXPECT_EQ (list.getItemId (0), 1);
    EXPECT_EQ (list.getItemId (1), 2);
    EXPECT_EQ (list.getSelectedItemIndex(), 0);
}

TEST_F (FirmwareChooser, LaysOutTheListAndTheButtons)
{
    FirmwareSelectComponent chooser (twoEntries(), 0);

    EXPECT_EQ (chooser.getBounds(), juce::Rectangle<int> (0, 0, 300, 200));
    EXPECT_EQ (childOf<juce::ComboBox> (chooser).getBounds(), juce::Rectangle<int> (24, 68, 252, 24));
    EXPECT_EQ (childOf<juce::TextButton> (chooser, "OK").getBounds(), juce::Rectangle<int> (25, 148, 100, 24));
    EXPECT_EQ (childOf<juce::TextButton> (chooser, "Cancel").getBounds(), juce::Rectangle<int> (175, 148, 100, 24));
}

TEST_F (FirmwareChooser, TheChosenEntrysFileLiesUnderTheServerRoot)
{
    auto catalogue = twoEntries();
    FirmwareSelectComponent chooser (catalogue, 1);
    catalogue.getChild (1).setProperty ("fw", "changed.bin", nullptr);

    EXPECT_EQ (chooser.getSelectedFirmwareUrl().toString (false), "http://127.0.0.1:8/root/fw/n2_3.0.bin") << "its own copy";

    childOf<juce::ComboBox> (chooser).setSelectedItemIndex (-1, juce::dontSendNotification);
    EXPECT_TRUE (chooser.getSelectedFirmwareUrl().isEmpty());

    FirmwareSelectComponent beyond (catalogue, 5);
    EXPECT_TRUE (beyond.getSelectedFirmwareUrl().isEmpty());
}

TEST_F (FirmwareChooser, OkGivesTheChosenFileAndCancelNothing)
{
    auto url = choose (
        [] (juce::Component& content)
        {
            childOf<juce::ComboBox> (content).setSelectedItemIndex (1, juce::sendNotificationSync);
            press (content, "OK");
        });
    EXPECT_EQ (url.toString (false), "http://127.0.0.1:8/root/fw/n2_3.0.bin");
    EXPECT_EQ (scripted.last().title, "Firmware Version");

    EXPECT_TRUE (choose ([] (juce::Component& content) { press (content, "Cancel"); }).isEmpty());
    EXPECT_TRUE (choose ([] (juce::Component&) { pumpMessages(); }).isEmpty()) << "nobody pressed OK";
}

TEST_F (FirmwareChooser, AutomaticModeTakesThePreselectedEntryUnlessTheUserMustChoose)
{
    automaticMode = true;
    EXPECT_EQ (choose ([] (juce::Component&) { pumpMessages(); }).toString (false), "http://127.0.0.1:8/root/fw/n1_2.0.bin");

    firmwareChoiceRequired = true;
    EXPECT_TRUE (choose ([] (juce::Component&) { pumpMessages(); }).isEmpty());
}
} // namespace
