#include "wizard/FirmwareUpgradeComponent.h"

#include "devices/DeviceNamePatterns.h"
#include "devices/ProductFamilies.h"
#include "devices/ProductIds.h"
#include "firmware/BlhostFlashing.h"
#include "firmware/BootloaderTool.h"
#include "firmware/UpgradeModeReset.h"
#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/CpuFamily.h"
#include "platform/MessageLoopWait.h"
#include "ui/Dialogs.h"
#include "wizard/DeviceSelectComponent.h"

// Step 1, "Start": wait for the unit's MIDI port, let the user confirm it and decide which
// product is upgraded.

namespace talvor
{
namespace
{
constexpr const char* notUpgradeableText = "This device may be not able to be upgraded by this software.";
constexpr const char* connectOnlyOneText = "Connect ONLY the device you want to update.";
constexpr const char* leaveUpgradeModeQuestion =
    "It looks like some of your units are already in firmware upgrade mode. \n Do you want to let them leave firmware upgrade mode?";
constexpr const char* stillInUpgradeModeText =
    "It looks like your device is still in firmware upgrade mode. \nPlease turn off and turn on the device and try again.";
constexpr const char* amdRefusalText = "Cannot upgrade firmware!\n \nSince Corvix is not compatible with your computer with AMD chip.";

constexpr int testModeProbes = 12;
constexpr int testModeProbeWaitMs = 500;
constexpr int portPolls = 5;
constexpr int portPollWaitMs = 1000;
constexpr int portsAfterResetChecks = 2;
constexpr int portsAfterResetWaitMs = 235;
constexpr int midiInputTriesManual = 3;
constexpr int midiInputTriesAutomatic = 4;

bool isMakerGenericName (const juce::String& name) { return name.matchesWildcard ("TALVOR*Midi*", true); }
} // namespace

void FirmwareUpgradeComponent::stepConnect()
{
    setCurrentStep (-1);
    setBusy (true);
    deviceName = {};
    abortRequested = false;

    auto showChooser = true;
    auto askLeave = false;
    auto found = false;
    juce::String errorText;

    if (bootloaderDevice)
        waitForBootloaderUnit (found, showChooser, errorText);
    else
        waitForMidiInputs();

    setWindowTitle ({});
    setBusy (false);
    setCurrentStep (-1);

    // The window is closing: no chooser, no product, nothing for the unit.
    if (closeRequested)
        return;

    if (showChooser)
    {
        if (! chooseUnit (found, askLeave, errorText))
            return;
    }
    else
    {
        found = true;

        if (refusedOnThisProcessor())
            return;

        selectTargetProduct (selectedProductId);
    }

    // A window closed meanwhile asks and reports nothing more.
    if (found || closeRequested)
        return;

    if (askLeave)
    {
        askUnitsToLeaveUpgradeMode (errorText);
        return;
    }

    if (errorText == notUpgradeableText)
        showBox (juce::MessageBoxIconType::InfoIcon, plainTitle, "\"" + deviceName + "\"\n" + errorText);
    else
        showBox (juce::MessageBoxIconType::InfoIcon, plainTitle, errorText);
}

void FirmwareUpgradeComponent::waitForBootloaderUnit (bool& found, bool& showChooser, juce::String& errorText)
{
    unitCount = 0;

    if (! blhostToolExists())
    {
        errorText = missingBlhostToolMessage();
        return;
    }

    unitCount = countPortsOfProduct (selectedProductId);
    found = unitCount != 0;

    if (! found && testMode)
    {
        for (int n = 1;; ++n)
        {
            if (runBlhost ("keep") == blhostSucceeded)
            {
                found = true;
                unitFound = true;
                break;
            }

            if (n >= testModeProbes || std::exchange (abortRequested, false))
            {
                errorText = targetNotFoundMessage (selectedProductId);
                break;
            }

            setWindowTitle ("Waiting for the target device..." + juce::String (n / 2));
            waitMs (testModeProbeWaitMs);
        }
    }
    else if (! found)
    {
        for (int m = 1;; ++m)
        {
            unitCount = countPortsOfProduct (selectedProductId);

            if (unitCount != 0)
            {
                found = true;
                break;
            }

            if (m >= portPolls || std::exchange (abortRequested, false))
                break;

            setWindowTitle ("Waiting for the target MIDI device..." + juce::String (m));
            waitMs (portPollWaitMs);
        }
    }

    // Closing sends the unit nothing more, not even the probes.
    if (closeRequested)
        return;

    if (! found)
    {
        // No port: perhaps the unit sits in its bootloader already, or needs a reset to show one.
        if (runBlhost ("keep") == blhostNoStatus)
        {
            errorText = targetNotFoundMessage (selectedProductId);
        }
        else
        {
            if (runBlhost ("reset") == blhostSucceeded)
            {
                askedIntoUpgradeMode = false;

                for (int check = 0; check < portsAfterResetChecks && ! found; ++check)
                {
                    waitMs (portsAfterResetWaitMs);
                    const auto count = countPortsOfProduct (selectedProductId);

                    if (count > unitCount)
                    {
                        unitCount = count;
                        found = true;
                    }
                }

                if (! found)
                    errorText = targetNotFoundMessage (selectedProductId);
            }
            else
            {
                errorText = "Cannot get product model!";
            }

            unitFound = false;
        }
    }

    setWindowTitle ({});
    unitCount = countPortsOfProduct (selectedProductId);

    if (unitCount >= 1)
    {
        if (automaticMode)
        {
            // Only a port of this product is taken by itself; anything else the user confirms.
            const auto picked = automaticUpgradePortPick (selectedProductId);

            if (picked.isNotEmpty())
            {
                deviceName = picked;
                targetProductId = selectedProductId = productIdFromDeviceName (deviceName);
                showChooser = false;
            }
        }
    }
    else if (found)
    {
        if (testMode)
        {
            targetProductId = selectedProductId = launchProductId;
            showChooser = false;
        }
        else
        {
            found = false;
            errorText = targetNotFoundMessage (selectedProductId);
        }
    }
}

void FirmwareUpgradeComponent::waitForMidiInputs()
{
    const auto tries = automaticMode ? midiInputTriesAutomatic : midiInputTriesManual;

    for (int attempt = 0; attempt < tries; ++attempt)
    {
        for (int poll = 0; poll < portPolls; ++poll)
        {
            if (! listMidiPortsInverted (false, ! testMode).isEmpty() || abortRequested)
                return;

            waitMs (portPollWaitMs);
            setWindowTitle (juce::String::formatted ("(%d)", attempt * portPolls + poll + 1));
        }
    }
}

bool FirmwareUpgradeComponent::chooseUnit (bool& found, bool& askLeave, juce::String& errorText)
{
    const auto choice = DeviceSelectComponent::choose (selectedProductId, {}, this);
    regainKeyboardFocus();

    if (! choice.accepted)
    {
        setWindowTitle ({});
        setCurrentStep (-1);
        return true;
    }

    // The chosen port decides from here: a unit seen while waiting must not hide what is wrong
    // with the choice.
    found = false;
    deviceName = choice.chosenText;
    targetProductId = selectedProductId = productIdFromDeviceName (deviceName);
    bootloaderDevice = usesBlhostBackend (selectedProductId);
    auto productToSelect = 0;

    if (selectedProductId == productIds::none)
    {
        const auto resumeOrLaunch = acceptAnyProduct ? resumeProductId : launchProductId;

        if (isUpgradeModeName (deviceName))
        {
            if (! testMode)
            {
                errorText = leaveUpgradeModeQuestion;
                askLeave = true;
            }
            else if (countMidiPortsContaining (upgradeModeName, true) >= 2)
            {
                errorText = connectOnlyOneText;
            }
            else
            {
                productToSelect = resumeOrLaunch;
            }
        }
        else if (isMakerGenericName (deviceName) && testMode)
        {
            productToSelect = resumeOrLaunch;
        }
        else
        {
            errorText = notUpgradeableText;
        }
    }
    else if (countMidiPortsContaining (upgradeModeName, true) > 0)
    {
        errorText = leaveUpgradeModeQuestion;
        askLeave = true;
    }
    else if (acceptAnyProduct || selectedProductId == launchProductId)
    {
        if (countMidiPortsContaining (deviceName, true) > 1)
            errorText = connectOnlyOneText;
        else
            productToSelect = selectedProductId;
    }
    else
    {
        errorText = notUpgradeableText;
    }

    // A unit flashed through the tool is sent nothing when the tool is missing: asked into its
    // bootloader, it would have no way out but a power cycle.
    if (productToSelect != 0 && usesBlhostBackend (productToSelect) && ! blhostToolExists())
    {
        errorText = missingBlhostToolMessage();
        productToSelect = 0;
    }

    if (productToSelect == 0)
        return true;

    found = true;

    // Refused before the chained steps send the unit anything.
    if (refusedOnThisProcessor())
        return false;

    selectTargetProduct (productToSelect);
    return true;
}

bool FirmwareUpgradeComponent::refusedOnThisProcessor()
{
    if (bootloaderDevice || ! isAmdCpu())
        return false;

    showBox (juce::MessageBoxIconType::WarningIcon, plainTitle, amdRefusalText);
    return true;
}

void FirmwareUpgradeComponent::askUnitsToLeaveUpgradeMode (const juce::String& question)
{
    const auto leave = automaticMode || dialogs().askOkCancel (juce::MessageBoxIconType::InfoIcon, plainTitle, question, "Yes", "No", this);
    regainKeyboardFocus();

    if (leave && ! resetUnitsInUpgradeMode())
        showBox (juce::MessageBoxIconType::WarningIcon, plainTitle, stillInUpgradeModeText);
}
} // namespace talvor
