#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** Where the maker's firmware server is. The address is a setting: whoever reads the settings
    file hands a stored root on with setFirmwareServerRoot, and tests point it at a loopback
    server. The default names an example domain, which reaches no server. */
namespace firmwareServer
{
constexpr const char* defaultRoot = "https://firmware.talvor.example/";

/** The root in force, always ending in "/". */
juce::String root();

/** Sets the root; an empty or blank text restores the default. A missing final "/" is added. */
void setRoot (const juce::String& newRoot);

/** The root followed by a path relative to it. */
juce::URL urlFor (const juce::String& relativePath);

/** The catalogue document for a product: "firmware-special.xml" for 94 and 130, "firmware.xml"
    for every other id. */
juce::URL catalogueUrlFor (int productId);
} // namespace firmwareServer

/** Sets the firmware server root for the lifetime of the object and restores the previous one. */
class ScopedFirmwareServerRoot
{
public:
    explicit ScopedFirmwareServerRoot (const juce::String& root);
    ~ScopedFirmwareServerRoot();

    ScopedFirmwareServerRoot (const ScopedFirmwareServerRoot&) = delete;
    ScopedFirmwareServerRoot& operator= (const ScopedFirmwareServerRoot&) = delete;

private:
    juce::String previous;
};
} // namespace talvor
