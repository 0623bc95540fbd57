#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The firmware server's root when the settings file names one; empty for the default. The
    caller that reads the settings file fills it in before a wizard is constructed; tests point it
    at a loopback server. */
inline juce::String firmwareServerRootSetting;

/** The root in force, always ending in "/": the setting; else the environment variable
    CORVIX_FIRMWARE_SERVER; else the build's choice, by default an example domain that reaches no
    server, since the maker's real server is not known here. */
juce::String firmwareServerRoot();

/** The root followed by a path relative to it. */
juce::URL firmwareServerUrl (const juce::String& relativePath);

/** The catalogue document for a product: "firmware-special.xml" for 94 and 130, "firmware.xml"
    for every other id. */
juce::URL firmwareCatalogueUrl (int productId);
} // namespace talvor
