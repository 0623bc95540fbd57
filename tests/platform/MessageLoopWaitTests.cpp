#include "platform/MessageLoopWait.h"
#include "platform/MidiPacing.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <vector>

namespace
{
using talvor::ScopedDispatchSliceRunner;

struct RecordedSlices
{
    std::vector<int> slices;
    ScopedDispatchSliceRunner runner{ [this] (int ms) { slices.push_back (ms); } };
};

TEST (MessageLoopWait, LongWaitsRunInSlicesOfAtMostOneHundredMilliseconds)
{
    const struct
    {
        int wait;
        std::vector<int> slices;
    } cases[] = {
        { 250, { 100, 100, 50 } },
        { 100, { 100 } },
        { 101, { 100, 1 } },
        { 300, { 100, 100, 100 } },
        { 0, { 0 } },
        { -5, { 0 } },
        { 1, { 1 } },
    };

    for (const auto& c : cases)
    {
        RecordedSlices recorded;
        talvor::waitMs (c.wait);
        EXPECT_EQ (recorded.slices, c.slices) << "wait of " << c.wait << " ms";
    }
}

TEST (MessageLoopWait, TheMessageLoopRunsWhileWaiting)
{
    bool asyncRan = false;
    juce::MessageManager::callAsync ([&] { asyncRan = true; });
    talvor::waitMs (0);
    EXPECT_TRUE (asyncRan) << "a wait of 0 ms still runs one pass of the loop";

    struct CountingTimer final : juce::Timer
    {
        int ticks = 0;
        void timerCallback() override { ++ticks; }
    } timer;

    // Timers tick only when the loop runs; how many ticks a wait of 250 ms sees is the machine's
    // business, so the waits go on (25 s at most, a hang guard) until there have been three.
    timer.startTimer (20);
    for (int wait = 0; wait < 100 && timer.ticks < 3; ++wait)
        talvor::waitMs (250);
    timer.stopTimer();
    EXPECT_GE (timer.ticks, 3);
}

TEST (MessageLoopWait, ScopedRunnerRestoresThePreviousOne)
{
    std::vector<int> outer, inner;
    {
        ScopedDispatchSliceRunner outerRunner ([&] (int ms) { outer.push_back (ms); });
        {
            ScopedDispatchSliceRunner innerRunner ([&] (int ms) { inner.push_back (ms); });
            talvor::waitMs (5);
        }
        talvor::waitMs (7);
    }
    EXPECT_EQ (inner, std::vector<int>{ 5 });
    EXPECT_EQ (outer, std::vector<int>{ 7 });
}

class MidiPacing : public testing::Test
{
protected:
    void TearDown() override { talvor::osVersionLevel = 0; }
    RecordedSlices recorded;
};

TEST_F (MidiPacing, BelowWindowsTenNothingWaitsAndTheCounterStays)
{
    talvor::osVersionLevel = 6;
    int counter = 0;

    for (int i = 0; i < 1000; ++i)
        talvor::pacedMessageWait (counter, 2, 1);

    EXPECT_EQ (counter, 0);
    EXPECT_TRUE (recorded.slices.empty());
}

TEST_F (MidiPacing, FromWindowsTenEverySecondStepWaitsOneMillisecond)
{
    talvor::osVersionLevel = 7;
    int counter = 0;
    std::vector<int> counters;

    for (int i = 0; i < 4; ++i)
    {
        talvor::pacedMessageWait (counter, 2, 1);
        counters.push_back (counter);
    }

    EXPECT_EQ (counters, (std::vector<int>{ 1, 0, 1, 0 }));
    EXPECT_EQ (recorded.slices, (std::vector<int>{ 1, 1 }));
}

TEST_F (MidiPacing, LevelIsRelativeToTheWindowsBase)
{
    EXPECT_EQ (talvor::currentOsVersionLevel(),
               static_cast<int> (juce::SystemStats::getOperatingSystemType()) - static_cast<int> (juce::SystemStats::Windows));
}
} // namespace
