#include "devices/PortNames.h"
#include "platform/VirtualMidiPortBackend.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;

TEST (PortNumber, WindowsNumbersThePortsOfAMultiPortDeviceAfterTheWord)
{
    ScopedPortNamingRules windows (PortNamingRules::windows);
    EXPECT_EQ (portNumber ("MIDIOUT3 (Orvel-A)"), 3);
    EXPECT_EQ (portNumber ("MIDIIN2 (x)"), 2);
    EXPECT_EQ (portNumber ("MIDIOUTx (y)"), -1);
    EXPECT_EQ (portNumber ("Orvel-A 4"), 1);
    EXPECT_EQ (portNumber ("midiout3 (Orvel-A)"), 1) << "the pattern is matched case-sensitively";
    EXPECT_EQ (portNumber (""), 1);
}

TEST (PortNumber, OtherSystemsUseASingleTrailingDigit)
{
    ScopedPortNamingRules trailing (PortNamingRules::trailingDigit);
    EXPECT_EQ (portNumber ("Orvel-A 4"), 4);
    EXPECT_EQ (portNumber ("Port 12"), 1);
    EXPECT_EQ (portNumber ("MIDIOUT3 (Orvel-A)"), 1);
    EXPECT_EQ (portNumber ("7"), 1) << "a single character is not a trailing digit";
    EXPECT_EQ (portNumber (""), 1);

    EXPECT_TRUE (endsWithSingleDigit ("a1"));
    EXPECT_FALSE (endsWithSingleDigit ("11"));
    EXPECT_FALSE (endsWithSingleDigit ("a"));
}

TEST (PairPortName, SwapsTheWordsOfAWindowsPairOnly)
{
    EXPECT_EQ (pairPortName ("MIDIOUT3 (Orvel-A)", true), "MIDIIN3 (Orvel-A)");
    EXPECT_EQ (pairPortName ("MIDIIN3 (Orvel-A)", false), "MIDIOUT3 (Orvel-A)");
    EXPECT_EQ (pairPortName ("MIDIIN3 (Orvel-A)", true), "MIDIIN3 (Orvel-A)");
    EXPECT_EQ (pairPortName ("midiout3 (x)", true), "midiout3 (x)");
    EXPECT_EQ (pairPortName ("Orvel-A 4", true), "Orvel-A 4");
    EXPECT_EQ (pairPortName ("MIDIOUT4 (MIDIOUT4 (x))", true), "MIDIIN4 (MIDIOUT4 (x))") << "only the leading word";
}

TEST (ControllerPortNames, RecogniseTheUnitsAndTheMakersPorts)
{
    EXPECT_TRUE (isControllerPortName ("MIDIOUT4 (Orvel-A)"));
    EXPECT_TRUE (isControllerPortName ("midiout4 (anything)"));
    EXPECT_TRUE (isControllerPortName ("Orvel-B2"));
    EXPECT_TRUE (isControllerPortName ("TALVOR Midi"));
    EXPECT_TRUE (isControllerPortName ("Some Port 2")) << "any name with a blank before its last character";
    EXPECT_FALSE (isControllerPortName ("Synth"));
    EXPECT_FALSE (isControllerPortName (""));

    EXPECT_TRUE (isMakerGenericPortName ("talvor midi 2"));
    EXPECT_FALSE (isMakerGenericPortName ("My TALVOR Midi"));
}

TEST (ListControllerOutputs, DropsDuplicatesBlanksAndForeignPortsKeepingOrder)
{
    talvor::VirtualMidiPortBackend ports;
    for (auto* name : { "Orvel-A 4", "Synth", "   ", "", "Orvel-A 4", "TALVOR Midi 1", "orvel-a 4" })
        ports.addOutput (name, nullptr);

    talvor::ScopedMidiPortBackend scope (ports);
    EXPECT_EQ (listControllerOutputs(), juce::StringArray ({ "Orvel-A 4", "TALVOR Midi 1", "orvel-a 4" }));
}

TEST (FindModelPort, ChoosesTheHighestNumberedPortOfTheProduct)
{
    {
        ScopedPortNamingRules windows (PortNamingRules::windows);
        const juce::StringArray names{ "MIDIIN2 (Orvel-A)", "MIDIIN4 (Orvel-A)", "MIDIIN3 (Orvel-B)", "MIDIIN1 (Orvel-A)" };
        EXPECT_EQ (findModelPort (names, 2057, false), "MIDIIN4 (Orvel-A)");
        EXPECT_EQ (highestPortNumberOfModel (names, 2057), 4);
        EXPECT_EQ (highestPortNumberOfModel (names, 2058), 3);
        EXPECT_EQ (highestPortNumberOfModel (names, 2073), -1);
    }
    {
        ScopedPortNamingRules trailing (PortNamingRules::trailingDigit);
        const juce::StringArray names{ "Orvel-A 2", "Orvel-A 4", "Orvel-A 4 " };
        EXPECT_EQ (findModelPort (names, 2057, false), "Orvel-A 4") << "the first of equal numbers";
    }
}

TEST (FindModelPort, FallsBackToTheLastOfTheMakersPortsOnlyWhenAsked)
{
    const juce::StringArray names{ "TALVOR Midi 1", "Synth", "talvor midi 2" };
    EXPECT_EQ (findModelPort (names, 2057, true), "talvor midi 2");
    EXPECT_EQ (findModelPort (names, 2057, false), "");
    EXPECT_EQ (findModelPort ({}, 2057, true), "");
}
} // namespace
