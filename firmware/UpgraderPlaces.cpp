#include "firmware/UpgraderPlaces.h"

// The build defines these from its options; a build that does not keeps today's places.
#ifndef CORVIX_BUILT_IN_FIRMWARE_SERVER
#define CORVIX_BUILT_IN_FIRMWARE_SERVER "https://firmware.talvor.example/"
#endif

#ifndef CORVIX_BUILT_IN_BOOTLOADER_TOOL
#define CORVIX_BUILT_IN_BOOTLOADER_TOOL ""
#endif

#ifndef CORVIX_BUILT_IN_FIRMWARE_CACHE
#define CORVIX_BUILT_IN_FIRMWARE_CACHE ""
#endif

namespace talvor
{
juce::String builtInFirmwareServerRoot() { return juce::String::fromUTF8 (CORVIX_BUILT_IN_FIRMWARE_SERVER).trim(); }

juce::String builtInBootloaderToolPath() { return juce::String::fromUTF8 (CORVIX_BUILT_IN_BOOTLOADER_TOOL).trim(); }

juce::String builtInFirmwareCacheFolder() { return juce::String::fromUTF8 (CORVIX_BUILT_IN_FIRMWARE_CACHE).trim(); }

juce::String environmentOr (const char* variable, const juce::String& fallback)
{
    const auto value = juce::SystemStats::getEnvironmentVariable (variable, {}).trim();
    return value.isNotEmpty() ? value : fallback;
}

juce::File fileNamedBy (const juce::String& path)
{
    if (path.isEmpty())
        return {};

    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}
} // namespace talvor
