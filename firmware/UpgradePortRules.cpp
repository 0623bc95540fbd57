#include "firmware/UpgradePortRules.h"

#include "devices/DeviceNamePatterns.h"
#include "devices/PortNames.h"
#include "devices/ProductNames.h"
#include "firmware/WizardState.h"

namespace talvor
{
namespace
{
constexpr auto windowsOutputDuplicateForm = "MIDIOUT? (*)";
constexpr auto windowsInputDuplicateForm = "MIDIIN? (*)";
constexpr auto twoWordForm = "* *?";
constexpr auto excludedVendorWord = "Microsoft";
} // namespace

bool isAcceptablePortName (const juce::String& name, bool filtered, bool microsoftOnly, bool keepWindowsDuplicates)
{
    if (! filtered)
        return isUpgradeModePort (name);

    const auto fromMicrosoft = name.containsIgnoreCase (excludedVendorWord);

    if (microsoftOnly)
        return ! fromMicrosoft;

    if (fromMicrosoft || isUpgradeModeName (name))
        return false;

    if (name.matchesWildcard (windowsOutputDuplicateForm, true) || name.matchesWildcard (windowsInputDuplicateForm, true))
        return keepWindowsDuplicates;

    if (name.matchesWildcard (twoWordForm, true))
        return true;

    return ! keepWindowsDuplicates;
}

bool isUpgradeModePort (const juce::String& name)
{
    if (isUpgradeModeName (name))
        return true;

    return testMode && ! automaticMode && isMakerGenericPortName (name.toLowerCase().trim());
}

bool isUpgradeModeName (const juce::String& text) { return text.containsIgnoreCase (upgradeModeName); }

juce::String portDisplayName (const juce::String& name) { return isUpgradeModeName (name) ? juce::String (upgradeModeDisplayName) : name; }

int portUnitNumber (const juce::String& name) { return portNumber (name); }

juce::String findPortForProduct (const juce::StringArray& names, int productId)
{
    for (const auto& name : names)
        if (productIdFromDeviceName (name) == productId)
            return name;

    return {};
}

juce::String findUpgradePortForProduct (const juce::StringArray& names, int productId, bool allowFallback)
{
    juce::String best;
    auto bestNumber = -1;

    for (const auto& name : names)
    {
        if (productIdFromDeviceName (name) != productId)
            continue;

        const auto number = portUnitNumber (name);

        if (number > bestNumber)
        {
            best = name;
            bestNumber = number;
        }
    }

    if (best.isNotEmpty() || ! allowFallback)
        return best;

    for (int i = names.size(); --i >= 0;)
        if (isMakerGenericPortName (names[i]))
            return names[i];

    return {};
}

juce::String targetNotFoundMessage (int productId) { return "The target device of \"" + productName (productId) + "\" is not found!"; }
} // namespace talvor
