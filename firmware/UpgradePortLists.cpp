#include "firmware/UpgradePortLists.h"

#include "devices/DeviceNamePatterns.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/MidiPortBackend.h"

namespace talvor
{
namespace
{
juce::StringArray systemPortNames (bool outputs)
{
    auto& backend = midiPortBackend();
    return outputs ? backend.getOutputNames() : backend.getInputNames();
}

juce::StringArray listAcceptedPorts (bool outputs, bool filtered, bool microsoftOnly, bool keepWindowsDuplicates)
{
    juce::StringArray seen, accepted;

    for (const auto& name : systemPortNames (outputs))
    {
        if (name.trim().isEmpty() || seen.contains (name))
            continue;

        seen.add (name);

        if (isAcceptablePortName (name, filtered, microsoftOnly, keepWindowsDuplicates))
            accepted.add (name);
    }

    return accepted;
}

bool isWindowsDuplicateForm (const juce::String& name)
{
    return name.matchesWildcard ("MIDIOUT? (*)", false) || name.matchesWildcard ("MIDIIN? (*)", false);
}
} // namespace

juce::StringArray listMidiPorts (bool outputs, bool filtered, bool microsoftOnly)
{
    return listAcceptedPorts (outputs, filtered, microsoftOnly, bootloaderDevice);
}

juce::StringArray listMidiPortDisplayNames (bool outputs, bool filtered, bool microsoftOnly)
{
    auto names = listMidiPorts (outputs, filtered, microsoftOnly);

    for (auto& name : names)
        name = portDisplayName (name);

    return names;
}

juce::String portNameFromDisplayName (const juce::String& displayName)
{
    if (! isUpgradeModeName (displayName))
        return displayName;

    const auto names = listMidiPorts (true, true, true);
    const auto index = listMidiPortDisplayNames (true, true, true).indexOf (displayName);
    return names[index];
}

juce::StringArray listMidiPortsInverted (bool outputs, bool loose) { return listAcceptedPorts (outputs, true, ! loose, false); }

int countMidiPortsContaining (const juce::String& text, bool outputs)
{
    int count = 0;

    for (const auto& name : systemPortNames (outputs))
        if (name.contains (text))
            ++count;

    return count;
}

int indexOfPortContaining (const juce::String& text, bool outputs)
{
    const auto names = listMidiPorts (outputs, true, true);

    for (int i = 0; i < names.size(); ++i)
        if (names[i].contains (text))
            return i;

    return -1;
}

UpgradePortCounts countUpgradeAndProductPortsApart (int productId)
{
    UpgradePortCounts counts;

    for (const auto& name : systemPortNames (true))
    {
        if (name.contains (upgradeModeName))
            ++counts.upgradeMode;

        if (productIdFromDeviceName (name) == productId)
            ++counts.product;
    }

    return counts;
}

int countUpgradeAndProductPorts (int productId, int base)
{
    const auto counts = countUpgradeAndProductPortsApart (productId);
    return counts.upgradeMode * base + counts.product;
}

int countPortsOfProduct (int productId)
{
    int count = 0;

    for (const auto& name : listMidiPortDisplayNames (true, true, true))
        if (productIdFromDeviceName (name) == productId && ! isWindowsDuplicateForm (name))
            ++count;

    return count;
}

juce::String automaticUpgradePortPick (int productId)
{
    const auto pick = findUpgradePortForProduct (listMidiPortDisplayNames (true, true, false), productId, true);

    // The fallback may be the maker's generic port of some other device: only the product that
    // was counted may be taken without asking.
    return productIdFromDeviceName (pick) == productId ? pick : juce::String();
}
} // namespace talvor
