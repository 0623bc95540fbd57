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
ServerRequest::ServerRequest (const juce::URL& url, const CatalogueLimits& limits, int largestBodyBytes)
    : request (url, limits.connectionTimeoutMs, largestBodyBytes, limits.stopGraceMs)
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
    const auto& bytes = request.answer().body;
    return juce::String::createStringFromData (bytes.getData(), static_cast<int> (bytes.getSize()));
}
} // namespace talvor
