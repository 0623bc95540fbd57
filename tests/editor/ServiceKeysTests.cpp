#include "devices/PortNames.h"
#include "editor/ManualSysexSend.h"
#include "editor/ServiceKeys.h"
#include "platform/CpuFamily.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using talvor::test::ScriptedDialogs;
using talvor::test::ShownDialog;
using Bytes = std::vector<juce::uint8>;
using Mods = juce::ModifierKeys;

constexpr int ctrl = Mods::ctrlModifier, shift = Mods::shiftModifier, alt = Mods::altModifier;

class ServiceKeys : public corvix::testing::EditorTest
{
protected:
    ServiceKeys()
    {
        tabs.addTab ("GENERAL SETTINGS", juce::Colours::skyblue, &first, false);
        tabs.addTab ("BUTTON FUNCTIONS", juce::Colours::orange, &second, false);
        tabs.setCurrentTabIndex (0);
    }

    bool press (int keyCode, int modifiers = 0)
    {
        return handleServiceKey (juce::KeyPress (keyCode, juce::ModifierKeys (modifiers), 0), tabs, [this] { ++quitRequests; });
    }

    /** What the unit received that was no status message of the device link. */
    static std::vector<Bytes> sysexReceived (const SimulatedUnit& unit)
    {
        std::vector<Bytes> found;

        for (auto& m : unit.receivedOn (4))
            if (! m.bytes.empty() && m.bytes[0] == 0xF0)
                found.push_back (m.bytes);

        return found;
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    ScriptedDialogs scripted;
    juce::TabbedComponent tabs{ juce::TabbedButtonBar::TabsAtTop };
    juce::Component first, second;
    int quitRequests = 0;
};

TEST_F (ServiceKeys, IShowsTheProcessorFamilyWord)
{
    talvor::ScopedCpuModelSource cpu ([] { return juce::String ("Intel(R) Core(TM) i7"); });

    EXPECT_TRUE (press ('I'));
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::NoIcon);
    EXPECT_EQ (scripted.last().title, "");
    EXPECT_EQ (scripted.last().message, "CPU model: Intel");

    talvor::ScopedCpuModelSource unknown ([] { return juce::String ("Some chip"); });
    press ('i');
    EXPECT_EQ (scripted.last().message, "CPU model: ");

    EXPECT_FALSE (press ('I', shift));
    EXPECT_FALSE (press ('I', ctrl));
    EXPECT_EQ (scripted.shown().size(), 2u) << "only the plain key shows it";
}

TEST_F (ServiceKeys, CtrlOneAndTwoChooseTheSectionTabAndWithoutTheSecondNoTabIsCurrent)
{
    EXPECT_TRUE (press ('2', ctrl));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 1);
    EXPECT_TRUE (press ('1', ctrl));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);

    EXPECT_FALSE (press ('2'));
    EXPECT_FALSE (press ('2', alt));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);

    tabs.removeTab (1);
    press ('2', ctrl);
    EXPECT_EQ (tabs.getCurrentTabIndex(), -1);
    press ('1', ctrl);
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);
}

TEST_F (ServiceKeys, CtrlQAsksToQuitAndAltDoesNothing)
{
    EXPECT_TRUE (press ('Q', ctrl));
    EXPECT_EQ (quitRequests, 1);
    EXPECT_FALSE (press ('Q'));
    EXPECT_FALSE (press ('Q', alt));
    EXPECT_FALSE (press ('I', alt));
    EXPECT_FALSE (press ('M', alt));
    EXPECT_EQ (quitRequests, 1);
    EXPECT_TRUE (scripted.shown().empty());
}

TEST_F (ServiceKeys, MWithOtherModifiersStartsTheManualSendAndAloneOrWithCtrlDoesNot)
{
    SimulatedUnit unit (ports, {});

    for (int modifiers : { shift, ctrl | shift, ctrl | alt, ctrl | alt | shift, alt | shift })
    {
        scripted.answerText ({});
        EXPECT_TRUE (press ('M', modifiers)) << modifiers;
    }

    EXPECT_EQ (scripted.shown().size(), 5u);
    EXPECT_FALSE (press ('M'));
    EXPECT_FALSE (press ('M', ctrl));
    EXPECT_EQ (scripted.shown().size(), 5u);
}

//==============================================================================
TEST_F (ServiceKeys, TheManualSendSendsTheTypedBytesToTheUnitsHighestPort)
{
    SimulatedUnit unit (ports, {});
    scripted.answerText ("F0 7E");
    sendManualSysex (2057);

    ASSERT_EQ (scripted.shown().size(), 1u);
    const auto& box = scripted.last();
    EXPECT_EQ (box.kind, ShownDialog::Kind::textInput);
    EXPECT_EQ (box.icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (box.title, "Input MIDI SYSEX");
    EXPECT_EQ (box.message, "SYSEX for sending:");
    EXPECT_EQ (box.fieldName, "sysex");
    EXPECT_EQ (box.initialText, "F02215 100900 0426F7");
    EXPECT_EQ (box.buttons, juce::StringArray ({ "OK", "Cancel" }));

    EXPECT_EQ (sysexReceived (unit), std::vector<Bytes> ({ Bytes{ 0xF0, 0x7E } }));
    EXPECT_EQ (ports.getOpenPortCount(), 0) << "the output is closed again";
}

TEST_F (ServiceKeys, TheManualSendRefusesAnOddLengthAndSendsNothingForCancelOrAnEmptyText)
{
    SimulatedUnit unit (ports, {});

    scripted.answerText ("F07");
    sendManualSysex (2057);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
    EXPECT_EQ (scripted.last().title, "");
    EXPECT_EQ (scripted.last().message, "Wrong length!");

    scripted.forget();
    scripted.answerText (std::nullopt);
    sendManualSysex (2057);
    scripted.answerText ("   ");
    sendManualSysex (2057);
    EXPECT_EQ (scripted.shown().size(), 2u) << "nothing but the two text boxes";

    EXPECT_TRUE (unit.received().empty());
}

/** The framework's own alert window, with its own modal loop. */
class ManualSendWithFrameworkBox : public corvix::testing::EditorTest
{
protected:
    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
};

TEST_F (ManualSendWithFrameworkBox, CancelEscapeAndTheCloseButtonSendNothing)
{
    SimulatedUnit unit (ports, {});

    const std::vector<std::function<void (juce::AlertWindow&)>> cancels = {
        [] (juce::AlertWindow& w) { corvix::testing::findButtonWithText (w, "Cancel")->triggerClick(); },
        [] (juce::AlertWindow& w) { static_cast<juce::Component&> (w).keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); },
        [] (juce::AlertWindow& w) { w.exitModalState (0); },
    };

    for (const auto& cancel : cancels)
    {
        juce::MessageManager::callAsync (
            [cancel]
            {
                if (auto* alert = dynamic_cast<juce::AlertWindow*> (juce::ModalComponentManager::getInstance()->getModalComponent (0)))
                {
                    alert->getTextEditor ("sysex")->setText ("F0 7E");
                    cancel (*alert);
                }
            });
        sendManualSysex (2057);
    }

    EXPECT_TRUE (unit.received().empty());
}

TEST_F (ServiceKeys, TheManualSendSaysWhenThePortCannotBeOpenedAndIsSilentWithoutAPort)
{
    sendManualSysex (2057);
    EXPECT_TRUE (scripted.shown().empty()) << "no unit, nothing to say";

    SimulatedUnit unit (ports, {});
    ports.setExclusiveOpens (true);
    const auto held = ports.openOutput ("Orvel-A 4");
    ASSERT_NE (held, nullptr);

    sendManualSysex (2057);
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
    EXPECT_EQ (scripted.last().message, "MIDI output failed!");
}
} // namespace
