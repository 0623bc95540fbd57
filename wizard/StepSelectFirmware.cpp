#include "wizard/FirmwareUpgradeComponent.h"

#include "devices/FirmwareFileNames.h"
#include "devices/ProductFamilies.h"
#include "firmware/FirmwareCatalogue.h"
#include "firmware/FirmwareContent.h"
#include "firmware/FirmwareDownload.h"
#include "firmware/FirmwareVersions.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "ui/Dialogs.h"
#include "wizard/FirmwareSelectComponent.h"

// Step 4, "Select Version" or "Load File": obtain the firmware for the selected product from the
// server's catalogue or from a file the user picks.

namespace talvor
{
namespace
{
constexpr const char* upToDateText = "Your device is up-to-date.";
constexpr const char* notMatchingText = "Not the matching firmware!";
constexpr int downloadTriesWithoutEntries = 3;
constexpr int bootloaderRetryPauseMs = 300;
constexpr int midiRetryPauseMs = 6 * 50;

/** Only a raw image is written into a unit, and the chooser offers only these. */
bool hasFirmwareExtension (const juce::String& fileName) { return fileName.endsWithIgnoreCase (".bin"); }

/** Inverts the flag now and once more when the step ends, however it ends. */
struct FlagInversion
{
    explicit FlagInversion (bool& f) : flag (f) { flag = ! flag; }
    ~FlagInversion() { flag = ! flag; }
    bool& flag;
};
} // namespace

void FirmwareUpgradeComponent::stepSelectFirmware()
{
    if (selectionRunning && ! automaticMode)
        return;

    const FlagInversion running (selectionRunning);

    setCurrentStep (2);
    enableStartAndEnter (false, false);

    firmwareChoiceRequired = false;
    firmwareReady = false;
    // Whatever an earlier run obtained is not this run's firmware.
    firmwarePath = {};
    firmwareProductId = 0;
    firmwareFromDisk = false;

    if (bootloaderDevice)
    {
        selectBootloaderFirmware();
    }
    else
    {
        if (midiHandler == nullptr)
            midiHandler = std::make_unique<MidiInputHandler> (selectedProductId);

        selectMidiFirmware();
    }
}

void FirmwareUpgradeComponent::selectBootloaderFirmware()
{
    auto manual = false;
    auto failed = false;
    auto proceed = false;
    juce::String statusText ("OK");

    if (serverMode)
    {
        catalogue = juce::ValueTree ("firmwares");
        const auto fetched = fetchFirmwareCatalogue (normaliseProductId (targetProductId), catalogue);

        // Esc or a close during the read ends the step: who asked to stop is asked for nothing more.
        if (isStopRequested())
            return;

        if (fetched.getErrorMessage().containsIgnoreCase ("unavailable"))
        {
            manual = true;
        }
        else if (catalogue.getNumChildren() > 0)
        {
            const auto unitVersion = versionToFloat (deviceName);
            const auto first = catalogue.getChild (0);

            if (unitVersion < versionToFloat (first["fw"].toString()))
            {
                setWindowTitle (first["name"].toString() + " " + first["version"].toString() + " firmware is being downloaded here...");
                proceed = true;
            }
            else if (catalogue.getNumChildren() > 1)
            {
                if (unitVersion >= versionToFloat (latestFirmwareFile (catalogue)))
                {
                    statusText = upToDateText;
                }
                else
                {
                    proceed = true;
                    firmwareChoiceRequired = true;
                }
            }
            else
            {
                // The only entry is not newer than the unit: writing it is the user's choice,
                // never the automatic mode's.
                statusText = upToDateText;
                proceed = true;
                firmwareChoiceRequired = true;
            }
        }
        else
        {
            failed = true;
            statusText = fetched.getErrorMessage();
        }

        if (proceed)
        {
            const auto url = closeRequested ? juce::URL() : FirmwareSelectComponent::choose (catalogue, 0, this);
            regainKeyboardFocus();

            if (url.isEmpty())
                return;

            setBusy (true);
            firmwareFile = firmwareCacheFolder().getChildFile (safeFirmwareFileName (url));
            // A file from the server passes the same name test as one from disk.
            const auto fits = firmwareUrlFitsProduct (url);
            const auto downloaded = fits && downloadWithRetries (url, firmwareFile, bootloaderRetryPauseMs);
            setBusy (false);
            setCurrentStep (2);

            // Stopped: even a download that ended in the same moment is not this step's firmware.
            if (isStopRequested())
            {
                firmwareFile.deleteFile();
                return;
            }

            if (! downloaded)
            {
                if (catalogue.getNumChildren() == 0)
                {
                    manual = true;
                }
                else
                {
                    failed = true;
                    statusText = fits ? downloadFailedMessage : notMatchingText;
                }
            }
            else
            {
                firmwarePath = firmwareFile.getFullPathName();
                firmwareReady = true;
                firmwareProductId = selectedProductId;
                setCurrentStep (3);
                enableStartAndEnter (false, false);
            }
        }
    }
    else
    {
        manual = true;
    }

    // Every failure of the server falls back to a file.
    if (failed)
    {
        manual = true;
        failed = false;
    }

    if (manual)
    {
        const auto chosen = chooseFirmwareFile();

        if (chosen == juce::File())
            return;

        firmwareFile = chosen;

        if (firmwareFileFitsProduct (chosen))
        {
            firmwarePath = chosen.getFullPathName();
            firmwareProductId = selectedProductId;
            firmwareFromDisk = true;
            setCurrentStep (3);
            enableStartAndEnter (false, false);
        }
        else
        {
            failed = true;
            statusText = notMatchingText;
        }
    }

    // A window closed meanwhile reports nothing more.
    if (closeRequested)
        return;

    if (failed)
    {
        if (! repeatMode)
            showBox (juce::MessageBoxIconType::WarningIcon, plainTitle, statusText);
    }
    else if (automaticMode && ! isStopRequested() && firmwareProductId != 0)
    {
        runStep (4);
    }
    else
    {
        showBox (juce::MessageBoxIconType::WarningIcon, plainTitle, statusText);
    }
}

void FirmwareUpgradeComponent::selectMidiFirmware()
{
    auto manual = false;
    auto failed = false;

    if (serverMode)
    {
        catalogue = juce::ValueTree ("firmwares");
        const auto fetched = fetchFirmwareCatalogue (targetProductId, catalogue);

        if (isStopRequested())
            return;

        if (catalogue.getNumChildren() == 0)
        {
            failed = true;
        }
        else if (fetched.failed())
        {
            dialogs().showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, plainTitle, fetched.getErrorMessage(), {}, this,
                                           [safe = SafePointer<FirmwareUpgradeComponent> (this)]
                                           {
                                               if (safe != nullptr)
                                                   safe->regainKeyboardFocus();
                                           });
            return;
        }
        else
        {
            const auto url = closeRequested ? juce::URL() : FirmwareSelectComponent::choose (catalogue, 0, this);
            regainKeyboardFocus();

            if (url.isEmpty())
                return;

            // The back-end reads the file at once; the temporary file goes when the step ends.
            juce::TemporaryFile download;
            firmwareFile = download.getFile();
            setBusy (true);
            const auto fits = firmwareUrlFitsProduct (url);
            const auto downloaded = fits && downloadWithRetries (url, firmwareFile, midiRetryPauseMs);
            setBusy (false);
            setCurrentStep (2);

            if (isStopRequested())
                return;

            if (! downloaded)
            {
                if (catalogue.getNumChildren() == 0)
                {
                    manual = true;
                }
                else
                {
                    showBox (juce::MessageBoxIconType::WarningIcon, "Firmware Download", fits ? downloadFailedMessage : notMatchingText);
                    failed = true;
                }
            }
            else
            {
                midiHandler->loadFirmwareFile (firmwareFile);
                firmwareProductId = selectedProductId;
                setCurrentStep (3);
                enableStartAndEnter (false, false);
            }
        }
    }
    else
    {
        manual = true;
    }

    if (failed)
    {
        manual = true;
        failed = false;
    }

    if (manual)
    {
        const auto chosen = chooseFirmwareFile();

        if (chosen == juce::File())
        {
            failed = true;
        }
        else if (firmwareFileFitsProduct (chosen))
        {
            firmwareFile = chosen;
            midiHandler->loadFirmwareFile (chosen);
            firmwareProductId = selectedProductId;
            firmwareFromDisk = true;
            setCurrentStep (3);
            enableStartAndEnter (false, false);
        }
        else
        {
            firmwareFile = chosen;
            showBox (juce::MessageBoxIconType::WarningIcon, "Load File", notMatchingText);
            failed = true;
        }
    }

    if (! failed && firmwareProductId != 0 && ! isStopRequested() && automaticMode)
        runStep (4);
}

bool FirmwareUpgradeComponent::downloadWithRetries (const juce::URL& url, const juce::File& target, int retryPauseMs)
{
    // Only a catalogue without entries gets more than one try.
    const auto tries = catalogue.getNumChildren() == 0 ? downloadTriesWithoutEntries : 1;

    for (int attempt = 0; attempt < tries && ! isStopRequested(); ++attempt)
    {
        if (attempt > 0)
            waitMs (retryPauseMs);

        if (downloadFirmwareFile (url, target).wasOk())
            return true;
    }

    return false;
}

juce::File FirmwareUpgradeComponent::chooseFirmwareFile()
{
    // A window that is closing asks for nothing more.
    if (closeRequested)
        return {};

    FileChooserRequest request;
    request.title = "Choose The Firmware File";
    request.initialLocation = firmwareFile;
    request.filePatterns = "*.bin";
    const auto chosen = dialogs().chooseFileToOpen (request);
    regainKeyboardFocus();
    return chosen;
}

bool FirmwareUpgradeComponent::firmwareUrlFitsProduct (const juce::URL& url) const
{
    const auto name = url.getFileName();
    return hasFirmwareExtension (name)
           && fileNameMatchesProduct (name.upToLastOccurrenceOf (".", false, false).toLowerCase().trim(), selectedProductId);
}

bool FirmwareUpgradeComponent::firmwareFileFitsProduct (const juce::File& file) const
{
    // The product selected now: an earlier run or another product's handler has no say. A file
    // that reads as text (a saved page, a note) is no image, whatever its name.
    return hasFirmwareExtension (file.getFileName())
           && fileNameMatchesProduct (file.getFileNameWithoutExtension().toLowerCase().trim(), selectedProductId)
           && ! fileStartsAsText (file);
}
} // namespace talvor
