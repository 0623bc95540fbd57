#include "ui/AssetImages.h"

namespace talvor
{
juce::int64 assetImageCacheKey (const juce::String& assetName) { return (assetName + "@juce_demo_assets").hashCode64(); }

juce::Image loadAssetImage (const juce::String& assetName)
{
    const auto key = assetImageCacheKey (assetName);

    auto image = juce::ImageCache::getFromHashCode (key);
    if (image.isValid())
        return image;

    auto stream = createAssetInputStream (assetName);
    if (stream == nullptr)
        return {};

    image = juce::ImageFileFormat::loadFrom (*stream);
    if (image.isValid())
        juce::ImageCache::addImageToCache (image, key);
    return image;
}
} // namespace talvor
