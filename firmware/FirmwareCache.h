#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The folder of the cache that holds the bootloader tool's working files. */
inline const char* const toolCacheSubFolder = "local/";

/** Copies a firmware file into the firmware cache (firmwareCacheFolder) as
    sub-folder + name + separator + extension, replacing an earlier copy and creating the folder.
    Returns the copy's full path, or the empty text when it could not be made (nothing of it is
    left behind then). */
juce::String cacheCopy (const juce::String& sourcePath, const juce::String& separator, const juce::String& subFolder);

/** Where the tool reads a firmware back to: sub-folder + the firmware's name + ".dat". */
juce::File readBackFileFor (const juce::File& firmware);
} // namespace talvor
