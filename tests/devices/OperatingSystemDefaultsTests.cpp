// What the running system chooses by itself: the port-name rules and whether transfers are paced.
#include "devices/PortNames.h"
#include "platform/MidiPacing.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;

TEST (OperatingSystemDefaults, PortNamesFollowTheRunningSystemsRulesAndWindows10OnPaces)
{
#if JUCE_WINDOWS
    // The framework's WinMM ports are named "MIDIOUT<n> (<device>)".
    EXPECT_EQ (portNamingRules(), PortNamingRules::windows);
    EXPECT_EQ (portNumber ("MIDIOUT2 (Orvel-A)"), 2);
    EXPECT_EQ (portNumber ("Orvel-A 2"), 1);
    EXPECT_GE (currentOsVersionLevel(), 7) << "the program runs on Windows 10 or later, where transfers are paced";
#else
    EXPECT_EQ (portNamingRules(), PortNamingRules::trailingDigit);
    EXPECT_EQ (portNumber ("Orvel-A 2"), 2);
    EXPECT_EQ (portNumber ("MIDIOUT2 (Orvel-A)"), 1);
#endif
}
} // namespace
