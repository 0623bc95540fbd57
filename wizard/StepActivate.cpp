#include "wizard/FirmwareUpgradeComponent.h"

#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/VersionText.h"
#include "wizard/DeviceSelectComponent.h"

// Step 3, "Activate": for products flashed over MIDI, let the user pick the port of the unit in
// upgrade mode and open it for the MIDI back-end. Bootloader products pass at once.

namespace talvor
{
namespace
{
/** Two editions of one device of another family, told apart in upgrade mode by their port name. */
constexpr int firstEdition = 186;
constexpr int secondEdition = 2052;
} // namespace

void FirmwareUpgradeComponent::stepActivate()
{
    if (bootloaderDevice)
    {
        setCurrentStep (2);

        if (automaticMode)
            runStep (3);

        return;
    }

    setCurrentStep (1);
    enableStartAndEnter (false, false);
    setBusy (true);
    waitMs (50);

    midiHandler.reset();
    midiHandler = std::make_unique<MidiInputHandler> (selectedProductId);

    const auto choice = DeviceSelectComponent::choose (selectedProductId, upgradeModeName, this);
    regainKeyboardFocus();

    setBusy (false);
    setCurrentStep (1);
    auto opened = false;

    if (choice.accepted)
    {
        upgradePortName = portNameFromDisplayName (choice.chosenText);

        if (isUpgradeModePort (upgradePortName))
        {
            if (selectedProductId == firstEdition || selectedProductId == secondEdition)
            {
                resumeProductId = selectedProductId;
                selectedProductId = targetProductId = digitBeforeFirstDot (upgradePortName) == 1 ? firstEdition : secondEdition;
            }

            waitMs (3);
            midiHandler->openDevice (upgradePortName);
            waitMs (10);

            opened = midiHandler->isOpen();

            if (opened)
            {
                setCurrentStep (2);
                enableStartAndEnter (false, true);
            }
            else
            {
                showBox (juce::MessageBoxIconType::InfoIcon, "Midi Device",
                         "Could not open the selected MIDI input device: " + upgradePortName);
                setCurrentStep (1);
            }
        }
        else
        {
            showBox (juce::MessageBoxIconType::WarningIcon, "Step 3", juce::String ("Please select the unit \"") + upgradeModeName + "\"");
            setCurrentStep (1);
        }
    }
    else
    {
        setCurrentStep (1);
    }

    // Step 4 follows only onto an open port.
    if (opened && automaticMode)
        runStep (3);
}
} // namespace talvor
