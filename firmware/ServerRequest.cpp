#include "firmware/ServerRequest.h"

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
ServerRequest::ServerRequest (const juce::URL& url, int connectionTimeoutMs, int largestBytes)
    : largestBodyBytes (largestBytes),
      request ("Firmware server", url, connectionTimeoutMs,
               [this] (juce::WebInputStream& web, const juce::Thread& thread) { return readAnswer (web, thread); })
{
}

bool ServerRequest::finishBy (double deadlineAtMs, const CatalogueLimits& limits)
{
    return request.finishBy (deadlineAtMs, limits.pollMs, limits.stopRequested);
}

juce::String ServerRequest::body() const
{
    if (! succeeded())
        return {};

    // The same reading of the bytes as the framework's whole-stream read: a byte-order mark picks
    // UTF-16, anything else is UTF-8.
    return juce::String::createStringFromData (bytes.getData(), static_cast<int> (bytes.getDataSize()));
}

bool ServerRequest::readAnswer (juce::WebInputStream& web, const juce::Thread& thread)
{
    status = web.getStatusCode();

    if (largestBodyBytes <= 0)
        return true;

    juce::HeapBlock<char> buffer (0x4000);

    while (! thread.threadShouldExit())
    {
        const auto got = web.read (buffer.get(), 0x4000);

        if (got < 0 || web.isError())
            return false;

        if (got == 0)
            break;

        // No catalogue is this large: a server that keeps sending is not answering with one.
        if (bytes.getDataSize() + static_cast<size_t> (got) > static_cast<size_t> (largestBodyBytes))
            return false;

        bytes.write (buffer.get(), static_cast<size_t> (got));
    }

    return ! thread.threadShouldExit() && ! web.isError();
}
} // namespace talvor
