#include "firmware/FirmwareServer.h"

#include "firmware/UpgraderPlaces.h"

namespace talvor
{
juce::String firmwareServerRoot()
{
    auto root = firmwareServerRootSetting.trim();

    if (root.isEmpty())
        root = environmentOr (placeVariables::firmwareServer, builtInFirmwareServerRoot());

    if (! root.endsWithChar ('/'))
        root << "/";

    return root;
}

juce::URL firmwareServerUrl (const juce::String& relativePath) { return juce::URL (firmwareServerRoot() + relativePath); }

juce::URL firmwareCatalogueUrl (int productId)
{
    return firmwareServerUrl (productId == 94 || productId == 130 ? "firmware-special.xml" : "firmware.xml");
}
} // namespace talvor
