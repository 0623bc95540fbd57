#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>
#include <memory>

namespace talvor
{
/** One request to the firmware server on its own thread, connection included, so that the message
    thread only polls it and can stop it at any moment: the framework connects on the caller's
    thread, where a server that never answers, or trickles its answer, would hold the program for
    as long as it pleases. What becomes of the answer is left to the reader the owner gives. */
class ServerRequestThread final : private juce::Thread
{
public:
    /** Called on the request's thread once connected without an error; reads what it needs of the
        answer and says whether all of it came. It looks at request.threadShouldExit() between
        reads, as a cancel only ends a read that is waiting. */
    using AnswerReader = std::function<bool (juce::WebInputStream& answer, const juce::Thread& request)>;

    /** Starts the request at once. The reader outlives the request: its owner keeps this object
        as its last member, so that the thread has ended before what the reader writes to goes. */
    ServerRequestThread (const juce::String& nameOfThread, const juce::URL& url, int connectionTimeoutMs, AnswerReader reader);

    /** Stops the request if it still runs and waits for its thread. */
    ~ServerRequestThread() override;

    /** Polls while the message loop runs until the request has finished, the time (in
        juce::Time::getMillisecondCounterHiRes terms) has come or a stop is requested; in the
        last two cases stops it. True when it finished by itself. */
    bool finishBy (double deadlineAtMs, int pollMs, const std::function<bool()>& stopRequested);

    bool isFinished() const noexcept { return finished.load(); }

    /** True once finished with a connection and a reader that found the answer whole. */
    bool succeeded() const noexcept { return isFinished() && complete.load(); }

    /** Stops the transfer and waits for the thread, so that the reader has let go of what it
        writes to. */
    void cancel();

private:
    void run() override;
    bool transfer();

    const juce::URL url;
    const int connectionTimeoutMs;
    const AnswerReader reader;

    juce::CriticalSection streamLock;
    std::unique_ptr<juce::WebInputStream> stream;

    std::atomic<bool> finished{ false };
    std::atomic<bool> complete{ false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ServerRequestThread)
};
} // namespace talvor
