#include "devices/PortNames.h"
#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/VirtualMidiPortBackend.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;

class UpgradePorts : public testing::Test
{
protected:
    VirtualMidiPortBackend ports;
    ScopedMidiPortBackend installed{ ports };
    ScopedPortNamingRules windowsRules{ PortNamingRules::windows };

    void SetUp() override { resetWizardState(); }
    void TearDown() override { resetWizardState(); }

    void addOutputs (std::initializer_list<const char*> names)
    {
        for (auto* name : names)
            ports.addOutput (name, nullptr);
    }
};

TEST_F (UpgradePorts, TheFilterDropsMicrosoftAndKeepsOneFormOfEachDeviceByBackEnd)
{
    addOutputs ({ "Microsoft GS Wavetable Synth", "Orvel-A", "MIDIOUT2 (Orvel-A)" });

    bootloaderDevice = false;
    EXPECT_EQ (listMidiPorts (true, true, false), juce::StringArray ({ "Orvel-A" }));
    EXPECT_EQ (listMidiPorts (true, true, true), juce::StringArray ({ "Orvel-A", "MIDIOUT2 (Orvel-A)" }));

    bootloaderDevice = true;
    EXPECT_EQ (listMidiPorts (true, true, false), juce::StringArray ({ "MIDIOUT2 (Orvel-A)" }));
    EXPECT_EQ (listMidiPorts (true, true, true), juce::StringArray ({ "Orvel-A", "MIDIOUT2 (Orvel-A)" }));

    // The inverted list never keeps the duplicates, whichever back-end is in use.
    EXPECT_EQ (listMidiPortsInverted (true, true), juce::StringArray ({ "Orvel-A" }));
    EXPECT_EQ (listMidiPortsInverted (true, false), juce::StringArray ({ "Orvel-A", "MIDIOUT2 (Orvel-A)" }));
}

TEST_F (UpgradePorts, TheFilterRulesApplyInTheirOrder)
{
    for (bool keep : { false, true })
    {
        SCOPED_TRACE (keep);
        EXPECT_FALSE (isAcceptablePortName ("microsoft midi mapper", true, false, keep));
        EXPECT_FALSE (isAcceptablePortName ("TALVOR FIRMWARE UPGRADE 1", true, false, keep));
        EXPECT_EQ (isAcceptablePortName ("midiin3 (Orvel-B)", true, false, keep), keep);
        EXPECT_TRUE (isAcceptablePortName ("Orvel-B MIDI 1", true, false, keep));
        EXPECT_EQ (isAcceptablePortName ("Orvel-B", true, false, keep), ! keep);
        EXPECT_EQ (isAcceptablePortName ("Orvel-B ", true, false, keep), ! keep) << "a blank at the end is no second word";
        EXPECT_TRUE (isAcceptablePortName ("Talvor firmware upgrade 1", true, true, keep)) << "microsoftOnly keeps all else";
        EXPECT_FALSE (isAcceptablePortName ("Orvel-A", false, false, keep)) << "unfiltered: upgrade-mode ports only";
        EXPECT_TRUE (isAcceptablePortName ("Talvor firmware upgrade 1", false, true, keep));
    }
}

TEST_F (UpgradePorts, ListsDropRepeatedAndBlankNamesAndKeepTheSystemsOrder)
{
    addOutputs ({ "Zeta Synth", "", "   ", "Orvel-A MIDI 1", "Zeta Synth", "Alpha Keys" });
    ports.addInput ("Orvel-A MIDI 1");

    EXPECT_EQ (listMidiPorts (true, true, true), juce::StringArray ({ "Zeta Synth", "Orvel-A MIDI 1", "Alpha Keys" }));
    EXPECT_EQ (listMidiPorts (false, true, true), juce::StringArray ({ "Orvel-A MIDI 1" }));
}

TEST_F (UpgradePorts, AnUpgradeModePortIsShownAsTheManagerAndMappedBack)
{
    addOutputs ({ "Orvel-A", "Talvor firmware upgrade 2", "Talvor firmware upgrade 3" });

    EXPECT_EQ (listMidiPortDisplayNames (true, true, true),
               juce::StringArray ({ "Orvel-A", "Talvor firmware upgrade manager", "Talvor firmware upgrade manager" }));
    EXPECT_EQ (portNameFromDisplayName ("Talvor firmware upgrade manager"), "Talvor firmware upgrade 2");
    EXPECT_EQ (portNameFromDisplayName ("Orvel-A"), "Orvel-A");
    EXPECT_EQ (portNameFromDisplayName ("Gone Synth"), "Gone Synth");

    ports.removeOutput ("Talvor firmware upgrade 2");
    ports.removeOutput ("Talvor firmware upgrade 3");
    EXPECT_EQ (portNameFromDisplayName ("Talvor firmware upgrade manager"), "") << "a vanished port maps to nothing";
}

TEST_F (UpgradePorts, TestModeOutsideAutomaticModeTakesTheMakersPortsForUpgradePorts)
{
    EXPECT_FALSE (isUpgradeModePort ("  TALVOR Orvel Midi 1 "));

    testMode = true;
    EXPECT_TRUE (isUpgradeModePort ("  TALVOR Orvel Midi 1 "));

    automaticMode = true;
    EXPECT_FALSE (isUpgradeModePort ("  TALVOR Orvel Midi 1 "));
    EXPECT_TRUE (isUpgradeModePort ("talvor FIRMWARE upgrade 1"));
}

TEST_F (UpgradePorts, UnitNumbersFollowThePortNamingRules)
{
    EXPECT_EQ (portUnitNumber ("MIDIOUT2 (Orvel-A)"), 2);
    EXPECT_EQ (portUnitNumber ("MIDIIN3 (Orvel-A)"), 3);
    EXPECT_EQ (portUnitNumber ("MIDIOUTx (Orvel-A)"), -1);
    EXPECT_EQ (portUnitNumber ("Orvel-A"), 1);
    EXPECT_EQ (portUnitNumber ("midiout2 (Orvel-A)"), 1) << "the Windows forms are case-sensitive";

    ScopedPortNamingRules trailing (PortNamingRules::trailingDigit);
    EXPECT_EQ (portUnitNumber ("Orvel-A 4"), 4);
    EXPECT_EQ (portUnitNumber ("Orvel-A"), 1);
}

TEST_F (UpgradePorts, TheUpgradePortIsTheProductsPortWithTheHighestUnitNumber)
{
    EXPECT_EQ (findUpgradePortForProduct ({ "Orvel-A", "MIDIOUT2 (Orvel-A)" }, 2057, false), "MIDIOUT2 (Orvel-A)");
    EXPECT_EQ (findUpgradePortForProduct ({ "MIDIOUT3 (Orvel-A)", "MIDIOUT3 (Orvel-A) copy", "Orvel-A" }, 2057, false),
               "MIDIOUT3 (Orvel-A)");
    EXPECT_EQ (findUpgradePortForProduct ({ "MIDIOUTx (Orvel-A)" }, 2057, false), "") << "an unnumbered port is never chosen";
    EXPECT_EQ (findUpgradePortForProduct ({ "Orvel-B", "Synth" }, 2057, false), "");
    EXPECT_EQ (findUpgradePortForProduct ({ "TALVOR One Midi", "Orvel-B", "TALVOR Two Midi" }, 2057, true), "TALVOR Two Midi");
    EXPECT_EQ (findPortForProduct ({ "Synth", "MIDIOUT2 (Orvel-A)", "Orvel-A" }, 2057), "MIDIOUT2 (Orvel-A)");
    EXPECT_EQ (findPortForProduct ({ "Synth" }, 2057), "");
}

TEST_F (UpgradePorts, TheAutomaticPickNeverTakesAnotherProductsPort)
{
    addOutputs ({ "Orvel-B MIDI 1", "TALVOR Other Midi" });

    EXPECT_EQ (findUpgradePortForProduct (listMidiPortDisplayNames (true, true, false), 2057, true), "TALVOR Other Midi");
    EXPECT_EQ (automaticUpgradePortPick (2057), "") << "the chooser must ask instead";

    addOutputs ({ "Orvel-A MIDI 1" });
    EXPECT_EQ (automaticUpgradePortPick (2057), "Orvel-A MIDI 1");
}

TEST_F (UpgradePorts, UpgradeModeAndProductPortsAreCountedApart)
{
    addOutputs (
        { "Talvor firmware upgrade 1", "Talvor firmware upgrade 2", "Orvel-A", "MIDIOUT2 (Orvel-A)", "MIDIOUT3 (Orvel-A)", "Orvel-B" });

    const auto counts = countUpgradeAndProductPortsApart (2057);
    EXPECT_EQ (counts.upgradeMode, 2);
    EXPECT_EQ (counts.product, 3);
    EXPECT_EQ (countUpgradeAndProductPorts (2057, 16), 35);
    EXPECT_EQ (countMidiPortsContaining ("Talvor firmware upgrade", true), 2);
    EXPECT_EQ (countMidiPortsContaining ("talvor firmware upgrade", true), 0) << "case-sensitive";
    EXPECT_EQ (countPortsOfProduct (2057), 1) << "each unit once: its duplicates do not count";
}

TEST_F (UpgradePorts, SixteenPortsOfTheProductAreNotAnUpgradeModePort)
{
    for (int i = 0; i < 16; ++i)
        ports.addOutput ("Orvel-A MIDI " + juce::String (i), nullptr);

    const auto counts = countUpgradeAndProductPortsApart (2057);
    EXPECT_EQ (counts.upgradeMode, 0);
    EXPECT_EQ (counts.product, 16);
}

TEST_F (UpgradePorts, PortLookUpsByText)
{
    addOutputs ({ "Microsoft GS Wavetable Synth", "Orvel-A", "Talvor firmware upgrade 1" });

    EXPECT_EQ (indexOfPortContaining ("Talvor firmware upgrade", true), 1) << "position in the list without Microsoft";
    EXPECT_EQ (indexOfPortContaining ("Orvel-B", true), -1);
    EXPECT_EQ (targetNotFoundMessage (2057), "The target device of \"Orvel-A\" is not found!");
    EXPECT_EQ (targetNotFoundMessage (2000), "The target device of \"Unknown\" is not found!");
}
} // namespace
