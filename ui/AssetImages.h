#pragma once

#include "platform/ResourcesFolder.h"

#include <juce_graphics/juce_graphics.h>

#include <initializer_list>

namespace talvor
{
/** The named picture of the assets folder, decoded once and then served from the framework's
    process-wide image cache. A file that cannot be opened gives an empty image and is not
    remembered, so a picture added later is found on the next call. */
juce::Image loadAssetImage (const juce::String& assetName);

/** Starts decoding the named pictures on threads of their own, so that the program's other work
    (reading the map) goes on meanwhile; loadAssetImage then takes a picture from there, waiting
    for it if need be, instead of decoding it again. Call it and loadAssetImage on the message
    thread. */
void startLoadingAssetImages (std::initializer_list<const char*> assetNames);

/** The key under which loadAssetImage caches the named picture. */
juce::int64 assetImageCacheKey (const juce::String& assetName);
} // namespace talvor
