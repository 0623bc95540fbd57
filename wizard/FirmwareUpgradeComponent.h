#pragma once

#include "firmware/MidiInputHandler.h"
#include "wizard/WizardProgressBarLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace talvor
{
/** The five-step upgrade wizard: finds a unit, brings it into upgrade mode, obtains a firmware
    file and writes it. Each step is a handler of its button and runs to its end inside the click,
    keeping the message loop running while it waits; in automatic mode a step that succeeds runs
    the next one itself. Repeat mode runs the next unit from a loop in the outermost step, never
    nested inside the last run.

    While a step runs only Esc is taken from the keyboard. Esc, or a close, ends the run: the
    running step stops where it waits and no step it would chain starts. The dialog around the
    wizard asks it whether it may close (requestClose); with a step running the wizard stops the
    step, sends the unit nothing more and closes itself once the outermost step has returned. */
class FirmwareUpgradeComponent final : public juce::Component, private juce::Button::Listener
{
public:
    FirmwareUpgradeComponent (int launchProductId, bool serverMode);
    ~FirmwareUpgradeComponent() override;

    static constexpr int stepCount = 5;
    static constexpr const char* plainTitle = "Firmware Upgrade";
    static constexpr const char* appName = "Talvor Firmware Upgrader";
    static constexpr const char* appVersion = "1.68";

    static juce::String stepButtonCaption (int stepIndex, bool serverMode);
    static juce::String stepInstruction (int stepIndex, bool serverMode);

    //==============================================================================
    void paint (juce::Graphics&) override {}
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;

    //==============================================================================
    /** Records the last step done (-1 to 4), sets the progress and enables the step buttons. */
    void setCurrentStep (int step);
    int getCurrentStep() const noexcept { return currentStep; }

    /** Enables the buttons of every step done and of the next one. */
    void updateStepButtons();

    /** Marks a step as running (or not) and disables (or enables) all five step buttons. */
    void setBusy (bool busy);

    void setStatusText (const juce::String& text);

    /** The title without a suffix: test mode, file mode and the repeat count show in it. */
    static juce::String makeWindowTitle();

    /** The title, with ": " and the suffix when there is one; the dialog around shows it. */
    void setWindowTitle (const juce::String& suffix);
    const juce::String& getWindowTitle() const noexcept { return windowTitle; }

    /** Ends step 1 with a product: titles the window with its name, records step 0 and, where
        the modes say so, runs step 2. */
    bool selectTargetProduct (int productId);

    /** Runs a step as its button does: steps 0 to 4. */
    void runStep (int stepIndex);

    void showAboutBox();

    /** True while a step of this wizard is on the stack. */
    bool isStepRunning() const noexcept { return stepDepth > 0; }

    /** Esc or a close has come during the running steps: they end without starting another. */
    bool isStopRequested() const noexcept;

    /** What the dialog's close button does: with no step running the wizard may close (true);
        with one running it stops the steps, shows "Stopping…" and closes itself once the
        outermost step has returned (false). */
    bool requestClose();

    /** Set by the dialog: closes the window once no step is running any more. */
    std::function<void()> onCloseWhenIdle;

    /** Lets the devices go: releases the MIDI back-end's ports, then resets a unit that the
        bootloader tool answered for, or the MIDI units left in upgrade mode. Runs once; the
        dialog calls it after its run, before the window goes. */
    void closeDown();

    //==============================================================================
    // The steps; each in a file of its own.
    void stepConnect();
    void stepEnterUpgradeMode();
    void stepActivate();
    void stepSelectFirmware();
    void stepUpgrade();

    //==============================================================================
    // What tests read.
    int getTargetProductId() const noexcept { return targetProductId; }
    int getSelectedProductId() const noexcept { return selectedProductId; }
    const juce::String& getDeviceName() const noexcept { return deviceName; }
    const juce::String& getUpgradePortName() const noexcept { return upgradePortName; }
    juce::TextButton& getStepButton (int stepIndex) { return stepButtons[(size_t) stepIndex]; }
    juce::Label& getStatusLabel() noexcept { return statusLabel; }
    juce::Label& getInstructionLabel (int stepIndex) { return instructionLabels[(size_t) stepIndex]; }
    juce::ProgressBar& getProgressBar() noexcept { return progressBar; }
    int getDeepestStepNesting() const noexcept { return deepestStepDepth; }
    bool hasMidiHandler() const noexcept { return midiHandler != nullptr; }
    bool isMidiHandlerOpen() const noexcept { return midiHandler != nullptr && midiHandler->isOpen(); }

private:
    void buttonClicked (juce::Button* button) override;
    bool handleKey (const juce::KeyPress& key);

    juce::Component* titleWindow();

    /** Takes the keyboard back after a box or a chooser, so the wizard's keys work without a click. */
    void regainKeyboardFocus();
    void showBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message);
    void enableStartAndEnter (bool startEnabled, bool enterEnabled);

    // Step 1's parts.
    void waitForBootloaderUnit (bool& found, bool& showChooser, juce::String& errorText);
    void waitForMidiInputs();
    bool chooseUnit (bool& found, bool& askLeave, juce::String& errorText);
    bool refusedOnThisProcessor();
    void askUnitsToLeaveUpgradeMode (const juce::String& question);

    // Step 2's parts.
    bool enterBootloaderUpgradeMode (juce::String& errorText);
    bool enterMidiUpgradeMode (const juce::String& portName);

    // Step 4's parts.
    void selectBootloaderFirmware();
    void selectMidiFirmware();
    bool downloadWithRetries (const juce::URL& url, const juce::File& target, int retryPauseMs);
    juce::File chooseFirmwareFile();
    bool firmwareFileFitsProduct (const juce::File& file) const;
    bool firmwareUrlFitsProduct (const juce::URL& url) const;

    bool serverModeCopy = false;
    int targetProductId;
    int selectedProductId;
    const int launchProductId;

    std::array<juce::Label, stepCount> stepNumberLabels;
    std::array<juce::Label, stepCount> stepRowLabels;
    std::array<juce::Label, stepCount> instructionLabels;
    std::array<juce::TextButton, stepCount> stepButtons;
    juce::Label statusLabel;
    juce::CriticalSection progressLock;
    int currentStep = -1;
    WizardProgressBarLook progressBarLook;
    juce::ProgressBar progressBar;

    juce::String windowTitle{ plainTitle };
    juce::String deviceName;
    juce::String upgradePortName;
    bool firmwareReady = false;
    juce::File firmwareFile;
    int resumeProductId;
    juce::ValueTree catalogue;
    std::unique_ptr<MidiInputHandler> midiHandler;

    // How the steps stand on the stack.
    int stepDepth = 0;
    int deepestStepDepth = 0;
    bool closeRequested = false;
    /** Esc or a close came while this run of steps was on the stack: no further step of the run
        starts, whichever step took the Esc itself. Cleared when the user starts the next run. */
    bool chainStopped = false;
    bool nextUnitRequested = false;

    /** Step 2 sent a unit its request to enter upgrade mode in this run, and nothing has brought
        it back since: closing then resets it even when the tool never answered for it. */
    bool askedIntoUpgradeMode = false;
    bool closedDown = false;

    /** The product whose firmware step 4 obtained in this run; step 5 writes nothing else. */
    int firmwareProductId = 0;

    /** The firmware came from disk: its name is checked again before it is written. */
    bool firmwareFromDisk = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareUpgradeComponent)
};
} // namespace talvor
