#pragma once

#include <juce_events/juce_events.h>

namespace NsOrvelA
{
/** The device-watch timer: all traffic with the units that the user does not start by hand.
    Each tick keeps a unit's MIDI input open, answers the units' slot and fader reports, sends
    the system setting once per change of the MIDI outputs, uploads the marked slots, carries out
    "SAVE AS DEFAULT", and re-arms: 2000 ms after a tick that uploaded, 500 ms otherwise. A tick
    that falls inside a running conversation does nothing but re-arm. The creator starts it with
    2000 ms. */
class MyTimer final : public juce::Timer
{
public:
    MyTimer();

    void timerCallback() override;

    /** The period after a tick that started an upload. */
    int uploadPeriodMs = 2000;

    /** The period after every other tick. */
    static constexpr int idlePeriodMs = 500;

private:
    void keepAUnitConnected();
    void answerUnitReports();
    void sendSystemSettingOnceAfterAChangeOfOutputs();

    // The system setting goes out once per list of outputs: tried on every second tick after
    // a change, at most three failed tries while the list stays the one that last succeeded.
    bool compatDone = false;
    int compatTries = 0;
    int compatTickCounter = 0;
    juce::StringArray lastOutputs;

    JUCE_DECLARE_NON_COPYABLE (MyTimer)
};
} // namespace NsOrvelA
