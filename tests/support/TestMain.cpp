#include <gtest/gtest.h>

#include <juce_events/juce_events.h>

// The test thread is the message thread: timers, waits and posted messages work as in the program.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
