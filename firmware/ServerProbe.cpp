#include "firmware/ServerProbe.h"

#include "platform/MessageLoopWait.h"

namespace talvor
{
namespace
{
constexpr int triesAtMost = 3;
constexpr int connectionTimeoutMs = 3000;
constexpr int pauseAfterFailedTryMs = 50;

bool tryOnce (const juce::URL& url)
{
    int status = 0;
    auto stream = url.createInputStream (juce::URL::InputStreamOptions (juce::URL::ParameterHandling::inAddress)
                                             .withConnectionTimeoutMs (connectionTimeoutMs)
                                             .withNumRedirectsToFollow (5)
                                             .withStatusCode (&status));

    return stream != nullptr && status >= 200 && status <= 304;
}
} // namespace

bool probeUrl (const juce::URL& url)
{
    for (int attempt = 0; attempt < triesAtMost; ++attempt)
    {
        if (tryOnce (url))
            return true;

        waitMs (pauseAfterFailedTryMs);
    }

    return false;
}
} // namespace talvor
