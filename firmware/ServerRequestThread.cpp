#include "firmware/ServerRequestThread.h"

#include "platform/MessageLoopWait.h"

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace talvor
{
namespace
{
std::atomic<int> runningThreads{ 0 };

constexpr int readChunkBytes = 0x8000;

/** Runs the work on a detached thread that owns its share of what the work touches: nothing of it,
    not even its own bookkeeping, lives in anything the request's owner can destroy. The share goes
    before the thread counts itself out, so that nothing of it is left once it is counted out.
    False when no thread could be started. */
template <typename Share, typename Work>
bool runDetached (std::shared_ptr<Share> share, Work work)
{
    ++runningThreads;

    try
    {
        std::thread (
            [share = std::move (share), work]() mutable
            {
                work (*share);
                share.reset();
                --runningThreads;
            })
            .detach();
        return true;
    }
    catch (const std::system_error&)
    {
        --runningThreads;
        return false;
    }
}
} // namespace

/** All that the request's thread and its closer touch. Each keeps its own share, so whatever
    becomes of the request's owner, nothing they read or write goes away before they end. */
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
        if (shouldExit)
            return false;

        // Made outside the lock: the framework's curl layer makes a stream under a lock of its
        // own, which a close elsewhere holds for as long as a name lookup takes.
        auto web = std::make_shared<juce::WebInputStream> (url, false);
        web->withConnectionTimeout (connectionTimeoutMs);
        web->withNumRedirectsToFollow (5);

        {
            const std::lock_guard<std::mutex> guard (streamLock);

            if (shouldExit)
                return false;

            stream = web;
        }

        const auto whole = fetch (*web);

        // A closer still busy with the stream keeps its own share and destroys it when done.
        const std::lock_guard<std::mutex> guard (streamLock);
        stream.reset();
        return whole;
    }

    bool fetch (juce::WebInputStream& web)
    {
        if (! web.connect (nullptr) || shouldExit || web.isError())
            return false;

        answer.status = web.getStatusCode();
        answer.contentType = web.getResponseHeaders().getValue ("Content-Type", {});

        return largestBodyBytes <= 0 || readBody (web);
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

    /** Asks the transfer to end and hands the closing of its stream to a thread of its own: the
        layer below may take its time over a close (curl waits for a name lookup it has started,
        WinINet's close can block too), and the caller must never wait on it. */
    static void stop (const std::shared_ptr<Shared>& self)
    {
        self->shouldExit = true;

        {
            // Only looked at here: a share of the stream held on this thread could be its last.
            const std::lock_guard<std::mutex> guard (self->streamLock);

            if (self->stream == nullptr)
                return;
        }

        // Without a closer the transfer ends at its own time-outs, having seen the stop.
        runDetached (self, [] (Shared& share) { share.closeStream(); });
    }

    void closeStream()
    {
        std::shared_ptr<juce::WebInputStream> open;

        {
            const std::lock_guard<std::mutex> guard (streamLock);
            open = stream;
        }

        if (open != nullptr)
            open->cancel();
    }

    const juce::URL url;
    const int connectionTimeoutMs;
    const juce::int64 largestBodyBytes;

    // The stream is made, used and destroyed on the request's thread or its closer, never on the
    // caller's: the request's thread empties this before it ends.
    std::mutex streamLock;
    std::shared_ptr<juce::WebInputStream> stream;
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
    if (! runDetached (shared, [] (Shared& share) { share.run(); }))
    {
        // No thread, no answer: the request has failed at once.
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

    Shared::stop (shared);
    // Past the grace the thread is left to end by itself: it holds its own share of what it touches.
    shared->ended.wait ((double) stopGraceMs);
}

int ServerRequestThread::threadsRunning() noexcept { return runningThreads.load(); }
} // namespace talvor
