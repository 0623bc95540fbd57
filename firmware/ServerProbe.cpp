#include "firmware/ServerProbe.h"

#include "platform/MessageLoopWait.h"

namespace talvor
{
namespace
{
constexpr int triesAtMost = 3;
constexpr int pauseAfterFailedTryMs = 50;
} // namespace

bool probeUrl (const juce::URL& url, const CatalogueLimits& limits, double deadlineAtMs)
{
    for (int attempt = 0; attempt < triesAtMost; ++attempt)
    {
        ServerRequest request (url, limits, 0);

        if (! request.finishBy (deadlineAtMs, limits))
            return false;

        if (request.succeeded() && request.statusCode() >= 200 && request.statusCode() <= 304)
            return true;

        waitMs (pauseAfterFailedTryMs);
    }

    return false;
}

bool probeUrl (const juce::URL& url)
{
    const auto limits = catalogueLimits();
    return probeUrl (url, limits, juce::Time::getMillisecondCounterHiRes() + limits.deadlineMs);
}
} // namespace talvor
