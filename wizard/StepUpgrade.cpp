#include "wizard/FirmwareUpgradeComponent.h"

#include "firmware/BlhostFlashing.h"
#include "firmware/WizardState.h"
#include "platform/CpuFamily.h"
#include "platform/MessageLoopWait.h"

// Step 5, "Upgrade": write the firmware into the unit, report the result and, in automatic
// repeat mode, ask for the next unit.

namespace talvor
{
namespace
{
constexpr const char* succeededTitle = "Firmware Upgrade Succeeded";
constexpr const char* resetFailedResult = "OK. But reset failed!";
constexpr const char* m2Refusal =
    "Warning: The current device cannot upgrade firmware correctly,\n on the M2 series macOS. \n\nPlease close the current upgrade window!";
} // namespace

void FirmwareUpgradeComponent::stepUpgrade()
{
    setCurrentStep (3);
    enableStartAndEnter (false, false);
    toFront (true);
    juce::Desktop::setScreenSaverEnabled (false);
    setBusy (true);

    auto result = juce::Result::ok();

    if (isAppleM2Series())
    {
        result = juce::Result::fail (m2Refusal);
    }
    else if (firmwareProductId != selectedProductId || (firmwareFromDisk && ! firmwareFileFitsProduct (firmwareFile)))
    {
        // Checked again before writing: the product may have changed since step 4.
        result = juce::Result::fail ("Not the matching firmware!");
    }
    else if (bootloaderDevice)
    {
        result = flashWithBlhost (firmwarePath);
        // The run reset the unit, or left it for the reset that unitFound asks for.
        askedIntoUpgradeMode = false;
    }
    else
    {
        if (midiHandler == nullptr)
            midiHandler = std::make_unique<MidiInputHandler> (selectedProductId);

        result = midiHandler->writeFirmwareOverMidi();
        midiHandler->close();
        waitMs (800);
    }

    // A downloaded file goes whatever became of it; a file from disk stays.
    if (std::exchange (firmwareReady, false))
        firmwareFile.deleteFile();

    firmwarePath = {};
    firmwareProductId = 0;
    firmwareFromDisk = false;

    setBusy (false);
    juce::Desktop::setScreenSaverEnabled (true);
    setStatusText (plainTitle);
    waitMs (300);

    if (result.wasOk())
    {
        setCurrentStep (4);

        if (! (automaticMode && repeatMode))
            showBox (juce::MessageBoxIconType::InfoIcon, succeededTitle, "Your firmware has been upgraded!");

        waitMs (600);
    }
    else if (result.getErrorMessage() == resetFailedResult)
    {
        showBox (
            juce::MessageBoxIconType::InfoIcon, succeededTitle,
            "Your firmware has been upgraded! Power off your unit and wait for 5 seconds, then turn back on for changes to take effect");
    }
    else
    {
        showBox (juce::MessageBoxIconType::WarningIcon, "Firmware Upgrade Failed", result.getErrorMessage());
    }

    setWindowTitle ({});
    setCurrentStep (-1);
    deviceName = {};
    upgradePortName = {};
    setStatusText (plainTitle);

    // Only a success goes on with the next unit, and the outermost step runs it.
    if (result.wasOk() && automaticMode && ! isStopRequested() && repeatMode)
    {
        if (repeatCount >= repeatLimit)
            repeatCount = 0;
        else
            nextUnitRequested = true;
    }
}
} // namespace talvor
