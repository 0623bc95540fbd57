#pragma once

#include "platform/ResourcesFolder.h"

#include <juce_graphics/juce_graphics.h>

namespace talvor
{
/** The named picture of the assets folder, decoded once and then served from the framework's
    process-wide image cache. A file that cannot be opened gives an empty image and is not
    remembered, so a picture added later is found on the next call. */
juce::Image loadAssetImage (const juce::String& assetName);

/** The key under which loadAssetImage caches the named picture. */
juce::int64 assetImageCacheKey (const juce::String& assetName);
} // namespace talvor
