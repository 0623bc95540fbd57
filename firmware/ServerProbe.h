#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** True when the server answers a GET of the address with a status from 200 to 304. Up to three
    tries, each with a 3000 ms connection time-out and followed, when it fails, by a 50 ms pause
    in which the message loop keeps running. */
bool probeUrl (const juce::URL& url);
} // namespace talvor
