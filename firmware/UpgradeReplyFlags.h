#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

namespace talvor
{
/** What a device in upgrade mode (or about to enter it) answered. The MIDI input thread raises
    the flags; the message thread reads and clears them while it polls. Each is a single atomic
    byte, 0 or 1. */
struct UpgradeReplyFlags
{
    std::atomic<juce::uint8> connectAcknowledged{ 0 };
    std::atomic<juce::uint8> eraseAcknowledged{ 0 };
    std::atomic<juce::uint8> blockAcknowledged{ 0 };
    std::atomic<juce::uint8> resetAcknowledged{ 0 };
    std::atomic<juce::uint8> deviceErrorReported{ 0 };
    std::atomic<juce::uint8> enterModeReply{ 0 };
};

/** The process's one set of reply flags. */
inline UpgradeReplyFlags upgradeReplyFlags;

/** Sets all six flags to 0. */
void clearReplyFlags() noexcept;
} // namespace talvor
