#include "firmware/FirmwareVersions.h"

namespace talvor
{
float versionToFloat (const juce::String& versionText)
{
    auto dot = versionText.indexOfChar ('.');

    if (dot <= 0)
        return 0.0f;

    return versionText.substring (dot - 1, dot + 4).getFloatValue();
}

juce::String latestFirmwareFile (const juce::ValueTree& catalogue)
{
    if (catalogue.getNumChildren() == 0)
        return {};

    auto best = -1.0f;
    auto bestIndex = 0;

    for (int i = 0; i < catalogue.getNumChildren(); ++i)
    {
        auto version = versionToFloat (catalogue.getChild (i).getProperty ("version").toString());

        if (version > best)
        {
            best = version;
            bestIndex = i;
        }
    }

    return catalogue.getChild (bestIndex).getProperty ("fw").toString();
}
} // namespace talvor
