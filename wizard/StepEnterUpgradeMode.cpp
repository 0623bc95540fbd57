#include "wizard/FirmwareUpgradeComponent.h"

#include "devices/PortNames.h"
#include "devices/ProductFamilies.h"
#include "firmware/BlhostFlashing.h"
#include "firmware/BootloaderTool.h"
#include "firmware/UpgradeFrames.h"
#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/UpgradeReplyFlags.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPortBackend.h"

#include <cmath>

// Step 2, "Enter": ask the unit to enter its upgrade mode and wait until it is there.

namespace talvor
{
namespace
{
constexpr int bootloaderPasses = 3;
constexpr int replyPolls = 30;
constexpr int replyPollMs = 3;
constexpr int settleAfterRequestMs = 235;
constexpr int bootloaderProbes = 5;
constexpr int midiTries = 3;
constexpr int midiWaitBeforeTryMs = 100;
constexpr int midiPolls = 8;
constexpr int midiWaitsPerPoll = 5;
constexpr int midiPollWaitMs = 100;

/** The unit may well have gone into its bootloader before the user stopped the wait: this says
    what happened, and closing the wizard brings the unit back. */
constexpr const char* upgradeStoppedText = "The firmware upgrade was stopped.";

int pollIntervalMs() { return testMode ? 333 : 500; }

bool anyUnitInUpgradeMode() { return countMidiPortsContaining (upgradeModeName, true) > 0; }

/** The products that understand only the short form of the request, and those that are sent
    the short form after the long one. */
bool takesShortRequestOnly (int productId) { return productId == 26 || productId == 81; }
bool takesBothRequests (int productId) { return productId >= 101 && productId <= 104; }
} // namespace

void FirmwareUpgradeComponent::stepEnterUpgradeMode()
{
    setCurrentStep (0);
    const auto portName = portNameFromDisplayName (deviceName);
    setBusy (true);
    bootloaderDevice = usesBlhostBackend (selectedProductId);

    juce::String errorText ("Device cannot enter Firmware Upgrade mode!");
    const auto entered = bootloaderDevice ? enterBootloaderUpgradeMode (errorText) : enterMidiUpgradeMode (portName);

    setBusy (false);

    if (entered)
    {
        setCurrentStep (1);

        if (automaticMode)
            runStep (2);
    }
    else if (testMode && deviceName.matchesWildcard ("TALVOR*Midi*", true))
    {
        setCurrentStep (1);
    }
    else
    {
        setCurrentStep (0);

        if (isStopRequested())
            errorText = upgradeStoppedText;

        // A window that is closing ended the step itself: no box holds it open.
        if (! repeatMode && ! closeRequested)
            showBox (juce::MessageBoxIconType::WarningIcon, plainTitle, errorText);
    }
}

bool FirmwareUpgradeComponent::enterBootloaderUpgradeMode (juce::String& errorText)
{
    if (! blhostToolExists())
    {
        errorText = missingBlhostToolMessage();
        return false;
    }

    unitCount = countPortsOfProduct (selectedProductId);

    if (unitCount <= 0)
    {
        if (! testMode)
        {
            errorText = "No target!";
            return false;
        }

        if (runBlhost ("keep") != blhostSucceeded)
        {
            errorText = targetNotFoundMessage (selectedProductId);
            return false;
        }

        waitMs (pollIntervalMs());
        unitFound = true;
        return true;
    }

    // The output is taken before the back-end listens: where a port's input and output share
    // one name, the back-end would otherwise hold the very output the request goes out on.
    auto output = midiPortBackend().openOutput (deviceName);

    if (output == nullptr)
    {
        errorText = "Target device is occupied!";
        return false;
    }

    if (deviceName.isNotEmpty())
    {
        if (midiHandler == nullptr)
            midiHandler = std::make_unique<MidiInputHandler> (selectedProductId);

        midiHandler->openDevice (pairPortName (deviceName, true));
    }

    auto entered = false;
    abortRequested = false;

    for (int pass = 0; pass < bootloaderPasses; ++pass)
    {
        // After an Esc or a close the unit is asked nothing more.
        if (abortRequested || chainStopped)
            break;

        askedIntoUpgradeMode = true;
        output->sendMessageNow (upgradePrelude());
        clearReplyFlags();
        output->sendMessageNow (buildSysExRequest (selectedProductId, 9));

        for (int poll = 0; poll < replyPolls && upgradeReplyFlags.enterModeReply.load() == 0; ++poll)
            waitMs (replyPollMs);

        waitMs (settleAfterRequestMs);

        for (int n = 1;; ++n)
        {
            if (abortRequested)
                break;

            if (runBlhost ("keep") != blhostNoStatus)
            {
                entered = true;
                unitFound = true;
                break;
            }

            if (n >= bootloaderProbes)
            {
                errorText = "Device cannot enter Firmeware Upgrade mode!";
                break;
            }

            const auto seconds = (int) std::ceil (n * pollIntervalMs() / 1000.0);
            setWindowTitle ("Waiting to enter Firmware Upgrade mode..." + juce::String (seconds));
            waitMs (pollIntervalMs());
        }

        setWindowTitle ({});
    }

    return entered;
}

bool FirmwareUpgradeComponent::enterMidiUpgradeMode (const juce::String& portName)
{
    waitMs (pollIntervalMs());

    // Opened through the port layer, so the output is closed when the step ends.
    auto output = midiPortBackend().openOutput (portName);

    if (output == nullptr)
        return anyUnitInUpgradeMode();

    if (isUpgradeModeName (output->getName()))
        return true;

    for (int attempt = 0; attempt < midiTries; ++attempt)
    {
        waitMs (midiWaitBeforeTryMs);

        // After an Esc or a close the unit is asked nothing more.
        if (chainStopped || (attempt > 0 && abortRequested))
            return false;

        askedIntoUpgradeMode = true;
        output->sendMessageNow (upgradePrelude());
        output->sendMessageNow (buildSysExRequest (selectedProductId, takesShortRequestOnly (selectedProductId) ? 8 : 9));

        if (takesBothRequests (selectedProductId))
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
            output->sendMessageNow (upgradePrelude());
            output->sendMessageNow (buildSysExRequest (selectedProductId, 8));
        }

        for (int poll = 0; poll < midiPolls; ++poll)
        {
            for (int wait = 0; wait < midiWaitsPerPoll; ++wait)
                waitMs (midiPollWaitMs);

            if (anyUnitInUpgradeMode())
                return true;

            if (abortRequested)
                return false;
        }
    }

    return false;
}
} // namespace talvor
