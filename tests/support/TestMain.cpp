#include <gtest/gtest.h>

#include <juce_events/juce_events.h>

// The test thread is the message thread: timers, waits and posted messages work as in the program.
// The tests also count as a standalone application, as the program does, so that the framework
// sets up the windowing system the same way (its own X error handlers among it: the virtual X
// server's missing window-manager atoms are then reported, not fatal).
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
