#include "firmware/ServerRequestThread.h"

#include "platform/MessageLoopWait.h"

#include <atomic>

namespace talvor
{
namespace
{
std::atomic<int> runningThreads{ 0 };

constexpr int readChunkBytes = 0x8000;
} // namespace

/** All that the request's thread touches. The thread keeps its own share, so whatever becomes of
    the request's owner, nothing the thread reads or writes goes away before the thread ends. */
struct ServerRequestThread::Shared
{
    Shared (const juce::URL& urlToAsk, int timeoutMs, juce::int64 largestBytes)
        : url (urlToAsk), connectionTimeoutMs (timeoutMs), largestBodyBytes (largestBytes)
    {
    }

    void run()
    {
        complete = transfer();
        finished = true;
        ended.signal();
    }

    bool transfer()
    {
        juce::WebInputStream* web = nullptr;

        {
            const juce::ScopedLock guard (streamLock);

            if (shouldExit)
                return false;

            stream = std::make_unique<juce::WebInputStream> (url, false);
            stream->withConnectionTimeout (connectionTimeoutMs);
            stream->withNumRedirectsToFollow (5);
            web = stream.get();
        }

        if (! web->connect (nullptr) || shouldExit || web->isError())
            return false;

        answer.status = web->getStatusCode();
        answer.contentType = web->getResponseHeaders().getValue ("Content-Type", {});

        return largestBodyBytes <= 0 || readBody (*web);
    }

    bool readBody (juce::WebInputStream& web)
    {
        const auto announced = web.getTotalLength();

        if (announced > largestBodyBytes)
            return false;

        juce::HeapBlock<char> buffer (readChunkBytes);
        juce::MemoryOutputStream body (answer.body, false);

        // A cancel ends only a read that waits, so the flag is looked at between reads.
        while (! shouldExit)
        {
            const auto got = web.read (buffer.get(), readChunkBytes);

            if (got < 0 || web.isError())
                return false;

            if (got == 0)
                break;

            if ((juce::int64) body.getDataSize() + got > largestBodyBytes)
                return false;

            body.write (buffer.get(), (size_t) got);
        }

        body.flush();

        if (shouldExit || web.isError())
            return false;

        // Without an announced length only a transfer that ended by itself is whole.
        return announced < 0 ? web.isExhausted() : (juce::int64) answer.body.getSize() == announced;
    }

    void stop()
    {
        const juce::ScopedLock guard (streamLock);
        shouldExit = true;

        if (stream != nullptr)
            stream->cancel();
    }

    const juce::URL url;
    const int connectionTimeoutMs;
    const juce::int64 largestBodyBytes;

    juce::CriticalSection streamLock;
    std::unique_ptr<juce::WebInputStream> stream;
    std::atomic<bool> shouldExit{ false };

    // Written by the thread only, and read by the owner only once finished is seen.
    Answer answer;
    std::atomic<bool> complete{ false };
    std::atomic<bool> finished{ false };
    juce::WaitableEvent ended{ true };
};

//==============================================================================
ServerRequestThread::ServerRequestThread (const juce::URL& url, int connectionTimeoutMs, juce::int64 largestBodyBytes, int graceMs)
    : shared (std::make_shared<Shared> (url, connectionTimeoutMs, largestBodyBytes)), stopGraceMs (graceMs)
{
    ++runningThreads;

    const auto launched = juce::Thread::launch (
        [share = shared]() mutable
        {
            share->run();
            // The thread's share goes before it counts itself out: then nothing of it is left.
            share.reset();
            --runningThreads;
        });

    if (! launched)
    {
        // No thread, no answer: the request has failed at once.
        --runningThreads;
        shared->finished = true;
        shared->ended.signal();
    }
}

ServerRequestThread::~ServerRequestThread() { cancel(); }

bool ServerRequestThread::finishBy (double deadlineAtMs, int pollMs, const std::function<bool()>& stopRequested)
{
    while (! isFinished())
    {
        const auto stop = stopped || (stopRequested != nullptr && stopRequested());

        if (stop || juce::Time::getMillisecondCounterHiRes() >= deadlineAtMs)
        {
            cancel();
            return false;
        }

        waitMs (pollMs);
    }

    return true;
}

bool ServerRequestThread::isFinished() const noexcept { return ! stopped && shared->finished.load(); }

bool ServerRequestThread::succeeded() const noexcept { return isFinished() && shared->complete.load(); }

const ServerRequestThread::Answer& ServerRequestThread::answer() const noexcept
{
    static const Answer none;
    return isFinished() ? shared->answer : none;
}

void ServerRequestThread::cancel()
{
    if (std::exchange (stopped, true))
        return;

    if (shared->finished.load())
        return;

    shared->stop();
    // Past the grace the thread is left to end by itself: it holds its own share of what it touches.
    shared->ended.wait ((double) stopGraceMs);
}

int ServerRequestThread::threadsRunning() noexcept { return runningThreads.load(); }
} // namespace talvor
