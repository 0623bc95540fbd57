#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The three places outside the program that the upgrader uses: the firmware server's root, the
    bootloader tool and the firmware cache. Each is chosen when the program is built (the CMake
    option of the same name) and can be overridden when it is started, by an environment variable
    of that name; a variable that is unset or blank leaves the build's choice in force. The
    wizard's own settings (bootloaderToolPathSetting and the like) still come first. */
namespace placeVariables
{
constexpr const char* firmwareServer = "CORVIX_FIRMWARE_SERVER";
constexpr const char* bootloaderTool = "CORVIX_BOOTLOADER_TOOL";
constexpr const char* firmwareCache = "CORVIX_FIRMWARE_CACHE";
} // namespace placeVariables

/** The firmware server's root the build chose. */
juce::String builtInFirmwareServerRoot();

/** The bootloader tool the build chose; empty for its assets folder beside the program. */
juce::String builtInBootloaderToolPath();

/** The firmware cache the build chose; empty for the user's application-data folder. */
juce::String builtInFirmwareCacheFolder();

/** The environment variable's value without surrounding blanks when it is set and not blank,
    otherwise the fallback. */
juce::String environmentOr (const char* variable, const juce::String& fallback);

/** A file named by a path from the build or the environment: a relative path counts from the
    folder the program was started in. Empty for an empty path. */
juce::File fileNamedBy (const juce::String& path);
} // namespace talvor
