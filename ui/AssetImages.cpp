#include "ui/AssetImages.h"

#include <algorithm>
#include <future>
#include <vector>

namespace talvor
{
namespace
{
juce::Image decodeAssetImage (const juce::String& assetName)
{
    auto stream = createAssetInputStream (assetName);
    return stream != nullptr ? juce::ImageFileFormat::loadFrom (*stream) : juce::Image();
}

/** The same for a file found beforehand: the threads never look for the resources folder, which
    follows the program's file (and tests' stand-ins for it). */
juce::Image decodeImageFile (const juce::File& file)
{
    if (! file.existsAsFile())
        return {};

    juce::FileInputStream stream (file);
    return stream.openedOk() ? juce::ImageFileFormat::loadFrom (stream) : juce::Image();
}

struct PendingImage
{
    juce::String assetName;
    std::future<juce::Image> image;
};

/** Touched on the message thread only; the threads only decode. Gone with the framework, so that
    a picture never asked for is not left over once the framework has ended. */
class PendingImages final : private juce::DeletedAtShutdown
{
public:
    ~PendingImages() override { clearSingletonInstance(); }

    std::vector<PendingImage> images;

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (PendingImages)
};

std::vector<PendingImage>& pendingImages() { return PendingImages::getInstance()->images; }
} // namespace

JUCE_IMPLEMENT_SINGLETON (PendingImages)

juce::int64 assetImageCacheKey (const juce::String& assetName) { return (assetName + "@juce_demo_assets").hashCode64(); }

void startLoadingAssetImages (std::initializer_list<const char*> assetNames)
{
    auto& pending = pendingImages();

    for (const auto* name : assetNames)
    {
        const juce::String assetName (name);
        const auto alreadyPending = std::any_of (pending.begin(), pending.end(), [&] (const auto& p) { return p.assetName == assetName; });

        if (! alreadyPending && ! juce::ImageCache::getFromHashCode (assetImageCacheKey (assetName)).isValid())
            pending.push_back ({ assetName, std::async (std::launch::async, decodeImageFile, assetsFolder().getChildFile (assetName)) });
    }
}

juce::Image loadAssetImage (const juce::String& assetName)
{
    const auto key = assetImageCacheKey (assetName);

    auto image = juce::ImageCache::getFromHashCode (key);
    if (image.isValid())
        return image;

    auto& pending = pendingImages();
    const auto started = std::find_if (pending.begin(), pending.end(), [&] (const auto& p) { return p.assetName == assetName; });

    if (started != pending.end())
    {
        image = started->image.get();
        pending.erase (started);
    }
    else
    {
        image = decodeAssetImage (assetName);
    }

    if (image.isValid())
        juce::ImageCache::addImageToCache (image, key);
    return image;
}
} // namespace talvor
