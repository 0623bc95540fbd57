#include "platform/ResourcesFolder.h"

#include "platform/ProgramFile.h"

namespace talvor
{
namespace
{
const juce::String resourcesName{ "resources" };
constexpr int maximumStepsUp = 15;

juce::File walkUpToResources (const juce::File& program)
{
    auto item = program;
    for (int step = 0; step < maximumStepsUp && item.getFileName() != resourcesName; ++step)
        item = item.getParentDirectory();
    return item;
}
} // namespace

juce::File findResourcesFolderFrom (const juce::File& program)
{
    const auto besideProgram = program.getParentDirectory().getChildFile (resourcesName);
    if (besideProgram.exists())
        return besideProgram;
    return walkUpToResources (program);
}

juce::File findNamedResourcesFolderFrom (const juce::File& program)
{
    const auto found = findResourcesFolderFrom (program);
    return found.getFileName() == resourcesName ? found : juce::File();
}

juce::File findResourcesFolder() { return findResourcesFolderFrom (programFile()); }

juce::File assetsFolder() { return findResourcesFolder().getChildFile ("Assets"); }

std::unique_ptr<juce::InputStream> createAssetInputStream (const juce::String& assetName)
{
    const auto file = assetsFolder().getChildFile (assetName);
    if (! file.existsAsFile())
        return nullptr;

    auto stream = std::make_unique<juce::FileInputStream> (file);
    if (! stream->openedOk())
        return nullptr;
    return stream;
}
} // namespace talvor
