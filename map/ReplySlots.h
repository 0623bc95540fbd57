#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

namespace NsOrvelA
{
/** What the units answered and reported. Only the MIDI input callback writes these, only the
    message thread reads and resets them. A reply slot holds -1 until its answer comes.

    A reply slot is read by itself, so relaxed ordering suffices. A report's values are stored
    before its pending flag, which is stored with release ordering; the timer reads the flag
    with acquire ordering before it reads the values. */
namespace replySlots
{
constexpr juce::int8 noReply = -1;

inline std::atomic<juce::int8> reply24{ noReply }; // sync mask of the opening request
inline std::atomic<juce::int8> reply25{ noReply }; // table block
inline std::atomic<juce::int8> reply26{ noReply }; // text block
inline std::atomic<juce::int8> reply27{ noReply }; // closing request
inline std::atomic<juce::int8> reply2A{ noReply }; // system setting
inline std::atomic<juce::int8> reply2C{ noReply }; // slot setting
inline std::atomic<juce::int8> reply2E{ noReply }; // slot mode
inline std::atomic<juce::int8> replyStatus{ noReply };
} // namespace replySlots

/** The slot a unit selected, and whether that report waits for the timer. */
inline std::atomic<int> reportedSelectSlot{ 0 };
inline std::atomic<juce::uint8> slotSelectReportPending{ 0 };

/** The slot whose fader state a unit reported (the state itself is slotFaderUnlocked), and
    whether that report waits for the timer. */
inline std::atomic<int> reportedFaderSlot{ 0 };
inline std::atomic<juce::uint8> faderReportPending{ 0 };

/** Sets every reply slot back to "no reply yet"; done before each request that waits. */
void resetReplySlots() noexcept;
} // namespace NsOrvelA
