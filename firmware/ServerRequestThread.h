#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

namespace talvor
{
/** One GET request to the firmware server on a thread of its own, connection included, so that
    the message thread only polls it and can stop it at any moment: the framework connects on the
    caller's thread, where a server that never answers, or trickles its answer, would hold the
    program for as long as it pleases.

    The thread touches only what it owns together with this object: the connection and the answer,
    kept in memory. The connection is made, closed and destroyed on threads of the request's own,
    never on the caller's, since the layer below can hold any of these for long (curl's close waits
    for a name lookup it has started, WinINet's close can block). A stop has the connection closed
    on a thread of its own and gives the request's thread a short grace to end; a thread still
    caught in the layer below after that is left to finish on its own, and the request counts as
    failed. So a stop, and a deadline, hold whatever the layer below does. */
class ServerRequestThread final
{
public:
    /** What the server answered; complete only once the request has finished. */
    struct Answer
    {
        int status = 0;
        juce::String contentType;
        juce::MemoryBlock body;
    };

    /** How long a stop waits for the thread by default before it leaves it to finish on its own:
        a cancelled transfer of the framework's curl layer gives up within one of its polling
        rounds (under a second). */
    static constexpr int defaultStopGraceMs = 1500;

    /** Starts the request at once. With a largest body of 0 only the status is asked for; a body
        larger than the largest, announced or sent, fails the request. */
    ServerRequestThread (const juce::URL& url, int connectionTimeoutMs, juce::int64 largestBodyBytes,
                         int stopGraceMs = defaultStopGraceMs);

    /** Stops the request if it still runs (see cancel). */
    ~ServerRequestThread();

    /** Polls while the message loop runs until the request has finished, the time (in
        juce::Time::getMillisecondCounterHiRes terms) has come or a stop is requested; in the
        last two cases stops it. True when it finished by itself. */
    bool finishBy (double deadlineAtMs, int pollMs, const std::function<bool()>& stopRequested);

    /** Finished by itself, not stopped. */
    bool isFinished() const noexcept;

    /** True once finished with an answer whose body (where asked for) came whole: every byte the
        server announced, or, without an announced length, every byte until the server ended it. */
    bool succeeded() const noexcept;

    /** The answer; empty unless finished. */
    const Answer& answer() const noexcept;

    /** Stops the transfer and waits up to the stop's grace for the thread, however long the
        layer below takes to close; after that the request has failed, and the thread, if still
        running, ends by itself later. */
    void cancel();

    /** Requests' threads still running, those left to finish on their own and those still
        closing a stopped request's connection included. */
    static int threadsRunning() noexcept;

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
    const int stopGraceMs;
    bool stopped = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ServerRequestThread)
};
} // namespace talvor
