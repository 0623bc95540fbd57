#include "wizard/FirmwareUpgradeLauncher.h"

#include "platform/MidiPacing.h"
#include "ui/Dialogs.h"
#include "wizard/FirmwareUpgradeDialog.h"

namespace talvor
{
bool confirmUpgradeStart()
{
    return dialogs().askOkCancel (juce::MessageBoxIconType::InfoIcon, upgradeStartTitle, upgradeStartWarning, "OK", "Cancel");
}

int launchFirmwareUpgrader (int launchProductId, juce::Component* centreAround, bool showWarning, bool serverMode)
{
    osVersionLevel = currentOsVersionLevel();

    if (showWarning && ! confirmUpgradeStart())
        return 0;

    FirmwareUpgradeDialog dialog (std::make_unique<FirmwareUpgradeComponent> (launchProductId, serverMode), centreAround);
    return dialog.run();
}
} // namespace talvor
