#include "firmware/WizardState.h"

#include "devices/ProductFamilies.h"
#include "devices/VariantNames.h"
#include "firmware/FirmwareServer.h"
#include "firmware/UpgraderPlaces.h"
#include "platform/ExecutablePath.h"

namespace talvor
{
juce::String defaultBootloaderToolPath()
{
    if (const auto chosen = environmentOr (placeVariables::bootloaderTool, builtInBootloaderToolPath()); chosen.isNotEmpty())
        return fileNamedBy (chosen).getFullPathName();

#if JUCE_WINDOWS
    return pathNextToExecutable() + "resources\\Assets\\tools\\win\\blhost.exe";
#else
    return pathNextToExecutable() + "resources/Assets/tools/linux/blhost";
#endif
}

juce::File defaultFirmwareCacheFolder()
{
    if (const auto chosen = environmentOr (placeVariables::firmwareCache, builtInFirmwareCacheFolder()); chosen.isNotEmpty())
        return fileNamedBy (chosen);

#if JUCE_WINDOWS
    // The common application-data folder itself, C:\ProgramData\ on a standard installation.
    return juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory);
#else
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile ("Talvor/OrvelA/firmware");
#endif
}

juce::File firmwareCacheFolder()
{
    return firmwareCacheFolderSetting == juce::File() ? defaultFirmwareCacheFolder() : firmwareCacheFolderSetting;
}

namespace
{
void tellProgressChanged()
{
    if (onWizardProgressChanged)
        onWizardProgressChanged();
}
} // namespace

void setWizardProgress (int phase, juce::int64 position, juce::int64 total)
{
    constexpr double phaseCount = 5.0;
    const auto share = total > 0 ? static_cast<double> (juce::jlimit<juce::int64> (0, total, position)) / static_cast<double> (total) : 0.0;
    wizardProgress = juce::jlimit (0.0, 1.0, (phase + share) / phaseCount);
    tellProgressChanged();
}

void setWizardStatusText (const juce::String& text)
{
    wizardStatusText = text;
    tellProgressChanged();
}

void startWizardState (int launchProductId, bool serverModeToUse)
{
    serverMode = serverModeToUse;
    variantNamesActive = usesVariantNames (launchProductId) ? 1 : 0;
    bootloaderDevice = usesBlhostBackend (launchProductId);

    if (bootloaderDevice)
        automaticMode = true;

    bootloaderToolPath = bootloaderToolPathSetting.isNotEmpty() ? bootloaderToolPathSetting : defaultBootloaderToolPath();

    testMode = false;
    abortRequested = false;
    repeatCount = 0;
    acceptAnyProduct = true;
}

void resetWizardState()
{
    automaticMode = false;
    repeatMode = false;
    repeatCount = 0;
    abortRequested = false;
    testMode = false;
    acceptAnyProduct = true;
    serverMode = false;
    wizardBusy = false;
    bootloaderDevice = false;
    unitFound = false;
    unitCount = 0;
    firmwarePath = {};
    bootloaderToolPath = {};
    selectionRunning = false;
    firmwareChoiceRequired = false;
    bootloaderToolPathSetting = {};
    firmwareCacheFolderSetting = juce::File();
    firmwareServerRootSetting = {};
    variantNamesActive = 0;
    wizardProgress = 0.0;
    wizardStatusText = "Upgrade Progress";
    onWizardProgressChanged = nullptr;
}
} // namespace talvor
