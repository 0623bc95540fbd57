#include "firmware/UpgradeModeReset.h"

#include "firmware/UpgradeFrames.h"
#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPortBackend.h"

namespace talvor
{
bool resetUnitsInUpgradeMode()
{
    auto& ports = midiPortBackend();
    juce::StringArray unitsInUpgradeMode;

    for (const auto& name : ports.getOutputNames())
        if (name.trim().isNotEmpty() && isUpgradeModePort (name))
            unitsInUpgradeMode.addIfNotAlreadyThere (name);

    for (const auto& name : unitsInUpgradeMode)
    {
        // Opened through the port layer, so the output is closed again when it goes out of scope.
        auto output = ports.openOutput (name);

        if (output == nullptr)
            continue;

        output->sendMessageNow (upgradePrelude());
        waitMs (1);

        for (auto byte : resetFrame())
        {
            output->sendMessageNow (encodeUpgradeByte (byte));
            waitMs (1);
        }
    }

    waitMs (50);
    return countMidiPortsContaining (upgradeModeName, true) == 0;
}
} // namespace talvor
