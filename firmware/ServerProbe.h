#pragma once

#include "firmware/ServerRequest.h"

#include <juce_core/juce_core.h>

namespace talvor
{
/** True when the server answers a GET of the address with a status from 200 to 304. Up to three
    tries, each with the limits' connection time-out and followed, when it fails, by a 50 ms pause;
    the message loop keeps running throughout. A stop request or the deadline (in
    juce::Time::getMillisecondCounterHiRes terms) ends the probe at once as failed. */
bool probeUrl (const juce::URL& url, const CatalogueLimits& limits, double deadlineAtMs);

/** The same within catalogueLimits(), its deadline counted from now. */
bool probeUrl (const juce::URL& url);
} // namespace talvor
