#include "firmware/FirmwareCache.h"

#include "firmware/WizardState.h"

namespace talvor
{
juce::String cacheCopy (const juce::String& sourcePath, const juce::String& separator, const juce::String& subFolder)
{
    const juce::File source (sourcePath);
    const auto copy =
        firmwareCacheFolder().getChildFile (subFolder + source.getFileNameWithoutExtension() + separator + source.getFileExtension());

    if (! copy.getParentDirectory().createDirectory() || ! source.copyFileTo (copy))
    {
        copy.deleteFile();
        return {};
    }

    return copy.getFullPathName();
}

juce::File readBackFileFor (const juce::File& firmware)
{
    return firmwareCacheFolder().getChildFile (juce::String (toolCacheSubFolder) + firmware.getFileNameWithoutExtension() + ".dat");
}
} // namespace talvor
