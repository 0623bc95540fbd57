#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** The upgrade wizard's process-wide state, shared by its steps, its choosers and the back-ends
    that flash a device. Every variable exists once and is used on the message thread only; the
    MIDI input thread touches nothing here (its reply flags are the MIDI back-end's own).

    "At program start" values are what resetWizardState() restores; "at each construction" values
    are what startWizardState() sets when a wizard is made. */

/** Each step that succeeds runs the next one itself; choosers confirm themselves where a target
    was found. False at program start; set by every wizard launched for a bootloader product,
    otherwise it keeps the value an earlier wizard left. */
inline bool automaticMode = false;

/** After a finished upgrade in automatic mode the wizard starts again from step 1. False at
    program start; kept from one wizard to the next. */
inline bool repeatMode = false;

/** Upgrades counted in automatic mode; the repetition stops at repeatLimit. 0 at each construction. */
inline int repeatCount = 0;
constexpr int repeatLimit = 20;

/** Set by Esc; every waiting loop of the steps and back-ends stops on it. False at each construction. */
inline bool abortRequested = false;

/** Loosens the port rules and shortens some polls. False at each construction. */
inline bool testMode = false;

/** Step 1 takes the port of any known product (true) or only of the launch product (false).
    True at each construction. */
inline bool acceptAnyProduct = true;

/** Step 4 asks the firmware server (true) or lets the user pick a file (false); the launcher's argument. */
inline bool serverMode = false;

/** A step is running: closing is refused and the step buttons are disabled. */
inline bool wizardBusy = false;

/** The device is flashed through the bootloader tool rather than over MIDI; set from the launch
    product at each construction and from the selected product in steps 1 and 2. */
inline bool bootloaderDevice = false;

/** The bootloader tool answered for the unit; the wizard then resets the unit when it closes. */
inline bool unitFound = false;

/** The number of the selected product's MIDI ports last counted. */
inline int unitCount = 0;

/** Full path of the firmware file that step 5 writes with the bootloader tool. */
inline juce::String firmwarePath;

/** The bootloader tool; empty means there is none. Set at each construction from
    bootloaderToolPathSetting, or defaultBootloaderToolPath() when that is empty. */
inline juce::String bootloaderToolPath;

/** Step 4 is running. */
inline bool selectionRunning = false;

/** Several catalogue entries exist and one is newer than the device: the firmware chooser waits
    for the user even in automatic mode. Cleared at the start of step 4. */
inline bool firmwareChoiceRequired = false;

//==============================================================================
// What the wizard shows of a running upgrade: the back-ends write it, the wizard's progress bar
// and status line show it.

/** The progress bar's value, always within 0 to 1 (a value past 1 would show as "busy"). */
inline double wizardProgress = 0.0;

/** The status line over the progress bar. */
inline juce::String wizardStatusText = "Upgrade Progress";

/** Called after each change of the progress or the status line; the wizard repaints there. */
inline std::function<void()> onWizardProgressChanged;

/** Sets the progress to phase / 5 plus position / total of the next fifth, within 0 to 1. */
void setWizardProgress (int phase, juce::int64 position, juce::int64 total);

/** Sets the status line. */
void setWizardStatusText (const juce::String& text);

//==============================================================================
// Settings with defaults. The caller that reads the settings file fills them in before a wizard
// is constructed; tests point them at a fake tool and a temporary folder.

/** Where the bootloader tool is, when the settings file names a place; empty for the default. */
inline juce::String bootloaderToolPathSetting;

/** The firmware cache; the default folder when it is the empty file. */
inline juce::File firmwareCacheFolderSetting;

/** The bootloader tool when no setting names one: the environment variable
    CORVIX_BOOTLOADER_TOOL, else the build's choice, else its assets folder beside the program. */
juce::String defaultBootloaderToolPath();

/** The firmware cache when no setting names one: the environment variable CORVIX_FIRMWARE_CACHE,
    else the build's choice, else "Talvor/OrvelA/firmware" in the user's application-data folder. */
juce::File defaultFirmwareCacheFolder();

/** The firmware cache in force: the setting, or the default when the setting is empty. */
juce::File firmwareCacheFolder();

//==============================================================================
/** Sets what a wizard's construction sets: serverMode, bootloaderDevice and (for a bootloader
    product) automaticMode from the launch product, the tool path, the per-construction flags,
    and the set of device names in force. */
void startWizardState (int launchProductId, bool serverModeToUse);

/** Puts every variable above, the settings included, back to its value at program start. */
void resetWizardState();
} // namespace talvor
