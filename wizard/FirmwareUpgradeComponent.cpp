#include "wizard/FirmwareUpgradeComponent.h"

#include "devices/ProductFamilies.h"
#include "devices/ProductNames.h"
#include "firmware/BootloaderTool.h"
#include "firmware/UpgradeModeReset.h"
#include "firmware/WizardState.h"
#include "ui/Dialogs.h"

namespace talvor
{
namespace
{
constexpr int columnWidth = 90;
constexpr int columnGap = 6;
constexpr int rowHeight = 20;
constexpr const char* makerWebAddress = "www.talvor.example";
constexpr const char* stoppingText = "Stopping\xe2\x80\xa6";
} // namespace

juce::String FirmwareUpgradeComponent::stepButtonCaption (int stepIndex, bool serverModeOn)
{
    switch (stepIndex)
    {
        case 0:
            return "Start";
        case 1:
            return "Enter";
        case 2:
            return "Activate";
        case 3:
            return serverModeOn ? "Select Version" : "Load File";
        case 4:
            return "Upgrade";
        default:
            return "Invalid Step";
    }
}

juce::String FirmwareUpgradeComponent::stepInstruction (int stepIndex, bool serverModeOn)
{
    const auto quoted = [serverModeOn] (int index) { return "\"" + stepButtonCaption (index, serverModeOn) + "\""; };

    switch (stepIndex)
    {
        case 0:
            return "Please connect your Talvor device and click " + quoted (0) + " button \nto create the connection";
        case 1:
            return "Click " + quoted (1) + " button to enter into firmware upgrade mode";
        case 2:
            return "Click " + quoted (2) + " button to activate the firmware upgrade \nmode";
        case 3:
            if (serverModeOn)
                return "Click \"Select Version\", the process will automatically search \nfor the latest firmware for your device at our "
                       "server";
            return juce::String ("Download the latest firmware on \"") + makerWebAddress
                   + "\", then click the \"Load File\" button to browse the firmware file";
        case 4:
            return "Click " + quoted (4) + " to start the file upload \nprocess";
        default:
            return {};
    }
}

FirmwareUpgradeComponent::FirmwareUpgradeComponent (int launchProduct, bool serverModeToUse)
    : targetProductId (launchProduct), selectedProductId (launchProduct), launchProductId (launchProduct), progressBar (wizardProgress),
      resumeProductId (launchProduct)
{
    setName ("FirmwareUpgradeComponent");
    startWizardState (launchProduct, serverModeToUse);
    serverModeCopy = serverModeToUse;
    wizardProgress = 0.0;
    wizardBusy = false;
    unitFound = false;
    selectionRunning = false;
    // A firmware left over from an earlier wizard may be another product's.
    firmwarePath = {};

    if (serverModeToUse)
        catalogue = juce::ValueTree ("firmwares");

    statusLabel.setJustificationType (juce::Justification::centred);
    statusLabel.setText ("Upgrade Progress", juce::dontSendNotification);
    addAndMakeVisible (statusLabel);

    progressBar.setLookAndFeel (&progressBarLook);
    progressBar.setPercentageDisplay (true);
    progressBar.setColour (juce::ProgressBar::foregroundColourId, juce::Colours::skyblue);
    addAndMakeVisible (progressBar);

    for (int i = 0; i < stepCount; ++i)
    {
        const auto index = (size_t) i;
        const auto number = "Step " + juce::String (i + 1);

        stepNumberLabels[index].setText (number, juce::dontSendNotification);
        stepNumberLabels[index].setJustificationType (juce::Justification::centred);
        stepRowLabels[index].setText (number + ":", juce::dontSendNotification);
        stepRowLabels[index].setJustificationType (juce::Justification::topLeft);
        instructionLabels[index].setText (stepInstruction (i, serverModeToUse), juce::dontSendNotification);
        instructionLabels[index].setJustificationType (juce::Justification::topLeft);
        instructionLabels[index].setMinimumHorizontalScale (1.0f);

        for (auto* label : { &stepNumberLabels[index], &stepRowLabels[index], &instructionLabels[index] })
            addAndMakeVisible (*label);

        stepButtons[index].setButtonText (stepButtonCaption (i, serverModeToUse));
        stepButtons[index].addListener (this);
        addAndMakeVisible (stepButtons[index]);
    }

    for (auto* child : getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            label->setColour (juce::Label::textColourId, juce::Colours::black);

    onWizardProgressChanged = [this]
    {
        statusLabel.setText (wizardStatusText, juce::dontSendNotification);
        progressBar.repaint();
    };

    setWantsKeyboardFocus (true);
    updateStepButtons();
    setSize (514, 450);
}

FirmwareUpgradeComponent::~FirmwareUpgradeComponent()
{
    // The dialog has let the devices go (closeDown) before the window goes; here only the MIDI
    // back-end's ports are released, before anything else of the wizard.
    midiHandler.reset();
    onWizardProgressChanged = nullptr;
    progressBar.setLookAndFeel (nullptr);

    for (auto& button : stepButtons)
        button.removeListener (this);
}

//==============================================================================
void FirmwareUpgradeComponent::resized()
{
    const auto w = getWidth();
    statusLabel.setBounds (0, 10, w, rowHeight);
    progressBar.setBounds (40, 36, w - 80, 24);

    // The columns take 480 pixels together with their gaps, centred.
    const auto x0 = w / 2 - 240;
    const auto labelY = progressBar.getBottom() + columnGap;
    const auto buttonY = labelY + rowHeight + columnGap;

    for (int i = 0; i < stepCount; ++i)
    {
        const auto x = x0 + i * (columnWidth + columnGap);
        stepNumberLabels[(size_t) i].setBounds (x, labelY, columnWidth, rowHeight);
        stepButtons[(size_t) i].setBounds (x, buttonY, columnWidth, rowHeight);
    }

    auto y = stepButtons[0].getBottom() + 43;

    for (int i = 0; i < stepCount; ++i)
    {
        stepRowLabels[(size_t) i].setBounds (x0, y, 70, rowHeight);
        instructionLabels[(size_t) i].setBounds (x0 + 76, y, w - (x0 + 70) - 20, 50);
        y = instructionLabels[(size_t) i].getBottom() + columnGap;
    }
}

//==============================================================================
void FirmwareUpgradeComponent::setCurrentStep (int step)
{
    {
        const juce::ScopedLock locked (progressLock);

        if (step < 0)
        {
            currentStep = -1;
            wizardProgress = 0.0;
        }
        else
        {
            wizardProgress = (step + 1) / (double) stepCount;
            currentStep = step;

            if (automaticMode && step == stepCount - 1)
                ++repeatCount;
        }
    }

    updateStepButtons();
    progressBar.repaint();
}

void FirmwareUpgradeComponent::updateStepButtons()
{
    const auto enabledCount = currentStep == -1 ? 1 : (currentStep >= 0 && currentStep < stepCount ? currentStep + 2 : 0);

    for (int i = 0; i < stepCount; ++i)
        stepButtons[(size_t) i].setEnabled (i < enabledCount);
}

void FirmwareUpgradeComponent::setBusy (bool busy)
{
    wizardBusy = busy;

    for (auto& button : stepButtons)
        button.setEnabled (! busy);
}

void FirmwareUpgradeComponent::enableStartAndEnter (bool startEnabled, bool enterEnabled)
{
    stepButtons[0].setEnabled (startEnabled);
    stepButtons[1].setEnabled (enterEnabled);
}

void FirmwareUpgradeComponent::setStatusText (const juce::String& text) { setWizardStatusText (text); }

juce::String FirmwareUpgradeComponent::makeWindowTitle()
{
    juce::String title (plainTitle);

    if (testMode)
        title << ".";

    if (! serverMode)
        title << " [M]";

    if (repeatMode)
        title << juce::String::formatted ("[%d/%d]", repeatCount, repeatLimit);

    return title;
}

juce::Component* FirmwareUpgradeComponent::titleWindow()
{
    if (auto* dialog = findParentComponentOfClass<juce::DialogWindow>())
        return dialog;

    return findParentComponentOfClass<juce::DocumentWindow>();
}

void FirmwareUpgradeComponent::setWindowTitle (const juce::String& suffix)
{
    auto title = makeWindowTitle();

    if (suffix.isNotEmpty())
        title << ": " << suffix;

    windowTitle = title;

    if (auto* window = titleWindow())
        window->setName (title);
}

bool FirmwareUpgradeComponent::selectTargetProduct (int productId)
{
    selectedProductId = productId;
    targetProductId = productId;
    setWindowTitle (productName (productId));
    setCurrentStep (0);

    if (testMode ? usesBlhostBackend (selectedProductId) : automaticMode)
        runStep (1);

    return true;
}

void FirmwareUpgradeComponent::showBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message)
{
    dialogs().showMessageBox (icon, title, message, {}, this);
    regainKeyboardFocus();
}

void FirmwareUpgradeComponent::regainKeyboardFocus()
{
    if (isShowing())
        grabKeyboardFocus();
}

void FirmwareUpgradeComponent::showAboutBox()
{
    dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, juce::String ("\n\n") + appName + "\n\nV" + appVersion,
                              juce::String ("Build {build}, {date}")
                                  .replace ("{build}", "63A")
                                  .replace ("{date}", juce::String ("Dec 22 2023").replace ("  ", " ")),
                              {}, this);
    regainKeyboardFocus();
}

//==============================================================================
void FirmwareUpgradeComponent::buttonClicked (juce::Button* button)
{
    // A click that arrives while a step waits would start a step inside it: the steps chain
    // themselves, the user starts only the outermost one.
    if (isStepRunning())
        return;

    for (int i = 0; i < stepCount; ++i)
        if (button == &stepButtons[(size_t) i])
            runStep (i);
}

void FirmwareUpgradeComponent::runStep (int stepIndex)
{
    const auto outermost = stepDepth == 0;

    // A step that would chain the next one after an Esc or a close starts nothing: the unit is
    // sent nothing more and the window can close as soon as the running step returns. An Esc
    // stops the run it was pressed in, or nothing when none ran: a run the user starts afterwards
    // begins without it.
    if (outermost)
    {
        chainStopped = false;
        abortRequested = false;
    }
    else if (chainStopped || closeRequested)
        return;

    deepestStepDepth = juce::jmax (deepestStepDepth, ++stepDepth);

    switch (stepIndex)
    {
        case 0:
            stepConnect();
            break;
        case 1:
            stepEnterUpgradeMode();
            break;
        case 2:
            stepActivate();
            break;
        case 3:
            stepSelectFirmware();
            break;
        case 4:
            stepUpgrade();
            break;
        default:
            break;
    }

    // Repeat mode takes the next unit here, one run after the other, never inside the last.
    if (outermost)
    {
        while (std::exchange (nextUnitRequested, false))
        {
            if (isStopRequested() || ! repeatMode)
                break;

            stepConnect();
        }
    }

    --stepDepth;

    if (outermost && closeRequested)
    {
        closeRequested = false;

        if (onCloseWhenIdle)
            onCloseWhenIdle();
    }
}

bool FirmwareUpgradeComponent::isStopRequested() const noexcept { return chainStopped || closeRequested || abortRequested; }

bool FirmwareUpgradeComponent::requestClose()
{
    if (! isStepRunning())
        return true;

    closeRequested = true;
    chainStopped = true;
    abortRequested = true;
    repeatMode = false;
    setStatusText (juce::String (juce::CharPointer_UTF8 (stoppingText)));
    return false;
}

void FirmwareUpgradeComponent::closeDown()
{
    if (std::exchange (closedDown, true))
        return;

    // The back-end lets its ports go first, so that the resets can open them.
    midiHandler.reset();

    if (bootloaderDevice)
    {
        if (unitFound)
        {
            runBlhost ("reset");
        }
        else if (askedIntoUpgradeMode)
        {
            // The unit may have gone into its bootloader after its last probe: the tool resets
            // it where it sees it, the upgrade-mode resets reach it otherwise.
            if (runBlhost ("keep") != blhostNoStatus)
                runBlhost ("reset");
            else
                resetUnitsInUpgradeMode();
        }
    }
    else
    {
        resetUnitsInUpgradeMode();
    }

    askedIntoUpgradeMode = false;
}

//==============================================================================
bool FirmwareUpgradeComponent::keyPressed (const juce::KeyPress& key)
{
    handleKey (key);
    return juce::Component::keyPressed (key);
}

bool FirmwareUpgradeComponent::handleKey (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::escapeKey)
    {
        abortRequested = true;

        if (isStepRunning())
            chainStopped = true;

        repeatMode = false;
        return true;
    }

    // A mode switched in the middle of a step would change what the rest of the step does.
    if (isStepRunning())
        return false;

    if (key == juce::KeyPress::F1Key)
    {
        showAboutBox();
        return true;
    }

    auto character = key.getTextCharacter();

    if (character == 0)
        character = (juce::juce_wchar) key.getKeyCode();

    switch (juce::CharacterFunctions::toUpperCase (character))
    {
        case 'A':
            automaticMode = ! automaticMode;
            return true;
        case 'S':
            repeatMode = ! repeatMode;
            abortRequested = false;
            return true;
        case 'M':
            serverMode = ! serverMode;
            serverModeCopy = serverMode;
            setWindowTitle ({});
            return true;
        case 'T':
            testMode = ! testMode;
            if (testMode)
                targetProductId = selectedProductId;
            setWindowTitle ({});
            return true;
        case 'O':
            acceptAnyProduct = ! acceptAnyProduct;
            return true;
        default:
            return false;
    }
}
} // namespace talvor
