#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace talvor
{
/** The folder that holds the program's assets: "resources" next to the program, else the item
    where a walk of at most 15 steps up from the program stops, which is the nearest ancestor
    named "resources" when there is one (else the fifteenth ancestor, or the root). */
juce::File findResourcesFolder();
juce::File findResourcesFolderFrom (const juce::File& program);

/** As findResourcesFolderFrom, but an empty File when the walk does not end on a folder named
    "resources". */
juce::File findNamedResourcesFolderFrom (const juce::File& program);

/** The "Assets" folder inside the resources folder. */
juce::File assetsFolder();

/** A stream on the named file of the assets folder ("bkg/x.jpg" opens a file in a subfolder);
    nullptr when there is no such file or it cannot be opened. */
std::unique_ptr<juce::InputStream> createAssetInputStream (const juce::String& assetName);
} // namespace talvor
