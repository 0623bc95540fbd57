#include "firmware/ServerRequest.h"

#include "platform/MessageLoopWait.h"

namespace talvor
{
namespace
{
CatalogueLimits& installedLimits()
{
    static CatalogueLimits limits;
    return limits;
}
} // namespace

const CatalogueLimits& catalogueLimits() { return installedLimits(); }

ScopedCatalogueLimits::ScopedCatalogueLimits (CatalogueLimits limits) : previous (std::move (installedLimits()))
{
    installedLimits() = std::move (limits);
}

ScopedCatalogueLimits::~ScopedCatalogueLimits() { installedLimits() = std::move (previous); }

//==============================================================================
ServerRequest::ServerRequest (const juce::URL& urlToAsk, int timeoutMs, int largestBytes)
    : juce::Thread ("Firmware server"), url (urlToAsk), connectionTimeoutMs (timeoutMs), largestBodyBytes (largestBytes)
{
    startThread();
}

ServerRequest::~ServerRequest() { cancel(); }

bool ServerRequest::finishBy (double deadlineAtMs, const CatalogueLimits& limits)
{
    while (! isFinished())
    {
        const auto stop = limits.stopRequested != nullptr && limits.stopRequested();

        if (stop || juce::Time::getMillisecondCounterHiRes() >= deadlineAtMs)
        {
            cancel();
            return false;
        }

        waitMs (limits.pollMs);
    }

    return true;
}

juce::String ServerRequest::body() const
{
    if (! succeeded())
        return {};

    // The same reading of the bytes as the framework's whole-stream read: a byte-order mark picks
    // UTF-16, anything else is UTF-8.
    return juce::String::createStringFromData (bytes.getData(), static_cast<int> (bytes.getDataSize()));
}

void ServerRequest::cancel()
{
    {
        const juce::ScopedLock guard (streamLock);
        signalThreadShouldExit();

        if (stream != nullptr)
            stream->cancel();
    }

    // The stream gives up within one of curl's polling rounds (under a second) once cancelled.
    waitForThreadToExit (-1);
}

void ServerRequest::run()
{
    complete = transfer();
    finished = true;
}

bool ServerRequest::transfer()
{
    juce::WebInputStream* web = nullptr;

    {
        const juce::ScopedLock guard (streamLock);

        if (threadShouldExit())
            return false;

        stream = std::make_unique<juce::WebInputStream> (url, false);
        stream->withConnectionTimeout (connectionTimeoutMs);
        stream->withNumRedirectsToFollow (5);
        web = stream.get();
    }

    if (! web->connect (nullptr) || threadShouldExit() || web->isError())
        return false;

    status = web->getStatusCode();

    if (largestBodyBytes <= 0)
        return true;

    juce::HeapBlock<char> buffer (0x4000);

    while (! threadShouldExit())
    {
        const auto got = web->read (buffer.get(), 0x4000);

        if (got < 0 || web->isError())
            return false;

        if (got == 0)
            break;

        // No catalogue is this large: a server that keeps sending is not answering with one.
        if (bytes.getDataSize() + static_cast<size_t> (got) > static_cast<size_t> (largestBodyBytes))
            return false;

        bytes.write (buffer.get(), static_cast<size_t> (got));
    }

    return ! threadShouldExit() && ! web->isError();
}
} // namespace talvor
