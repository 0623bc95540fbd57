#include "editor/MainComp.h"

#include "editor/CommandCaptions.h"
#include "editor/ControlMenu.h"
#include "editor/DeviceSelectComponent.h"
#include "editor/EditorCommands.h"
#include "editor/FirmwareUpgradeCommand.h"
#include "editor/MappableButton.h"
#include "editor/MappableDragButton.h"
#include "editor/MidiValueNames.h"
#include "editor/ServiceKeys.h"
#include "link/Host.h"
#include "link/ProgramQuit.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "platform/CpuFamily.h"
#include "ui/AssetImages.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint32 editorBackground = 0xffd3d3d3;
constexpr juce::uint32 pageGrey = 0xff484848;
constexpr juce::uint32 generalTabColour = 0xff87ceeb;
constexpr juce::uint32 buttonFunctionsTabColour = 0xffffa500;
constexpr int tabBarDepth = 27;

const char* const generalSettingsTab = "GENERAL SETTINGS";
const char* const buttonFunctionsTab = "BUTTON FUNCTIONS";
const char* const functionPageTab = "FUNCTION";
const char* const midiPageTab = "MIDI";
} // namespace

MainComp::MainComp (int productId)
    : logoImage (talvor::loadAssetImage ("Talvor Logo.png")), productImage (ProdLogo::pictureOf (talvor::productIds::orvelA))
{
    tooltipWindow.setMillisecondsBeforeTipAppears (0);
    currentEditor = this;

    // A model chosen in an earlier editor of this process stays.
    if (! isSupportedModel (currentModelId))
        currentModelId = productId;

    currentControl = nullptr;
    resetDragDropState();
    fillProgramValueNames();

    addAndMakeVisible (makerLogo);
    makerLogo.setImage (logoImage);
    makerLogo.setTooltip ("About..");
    addAndMakeVisible (productPicture);
    productPicture.setImage (productImage);

    // The chooser's notification arrives after construction and makes the first full refresh.
    modelChooser = std::make_unique<juce::ComboBox>();
    addAndMakeVisible (*modelChooser);
    modelChooser->addListener (this);

    for (int i = 0; i < unitCount; ++i)
        modelChooser->addItem (modelNames[i], indexToId (i));

    modelChooser->setSelectedItemIndex (idToIndex (unitIdOfProduct (currentModelId)), juce::sendNotificationAsync);

    addAndMakeVisible (pageTabs);
    addAndMakeVisible (sectionTabs);

    sectionTabs.setTabBarDepth (tabBarDepth);
    sectionTabs.setOutline (1);
    sectionTabs.setIndent (2);
    sectionTabs.setColour (juce::TabbedComponent::outlineColourId, juce::Colour (pageGrey));
    sectionTabs.setColour (juce::TabbedComponent::backgroundColourId, juce::Colour (editorBackground));
    sectionTabs.addTab (generalSettingsTab, juce::Colour (generalTabColour), &mixerSection, false, 0);
    sectionTabs.addTab (buttonFunctionsTab, juce::Colour (buttonFunctionsTabColour), &funcSection, false);
    sectionTabs.setCurrentTabIndex (0);

    pageTabs.setTabBarDepth (tabBarDepth);
    pageTabs.setOutline (1);
    pageTabs.setIndent (1);
    pageTabs.setColour (juce::TabbedComponent::outlineColourId, juce::Colour (pageGrey));
    funcPage = std::make_unique<FuncPage>();
    pageRefresh = std::make_unique<PageRefresh> (*this, pageTabs, *funcPage, hotkeyPage, midiPage);
    pageTabs.addTab (functionPageTab, juce::Colour (DistinctTabComp::idleTabColour), funcPage.get(), false, 0);
    pageTabs.addTab (midiPageTab, juce::Colour (DistinctTabComp::idleTabColour), &midiPage, false);

    for (auto* page : std::initializer_list<juce::Component*> { funcPage.get(), &hotkeyPage, &midiPage })
        page->setColour (juce::TextButton::buttonColourId, juce::Colour (pageGrey));

    addCommandButtons();
    listenToControlButtons();

    // The service keys reach the editor only while it, or a child of it, has the keyboard focus.
    setWantsKeyboardFocus (true);
}

MainComp::~MainComp()
{
    keepInputOpen = 0;
    setDeviceInputOpen (currentModelId, false);

    if (currentEditor == this)
        currentEditor = nullptr;

    // The selected control is one of this editor's buttons; nobody may reach it once they are gone.
    currentControl = nullptr;
}

void MainComp::addCommandButtons()
{
    const std::pair<std::unique_ptr<juce::TextButton>*, const char*> buttons[] = {
        { &firmwareButton, commandCaptions::firmware },   { &saveDefaultButton, commandCaptions::saveDefault },
        { &faderButton, commandCaptions::faderUnlocked }, { &connectButton, commandCaptions::connect },
        { &sendButton, commandCaptions::send },           { &saveFileButton, commandCaptions::saveFile },
        { &loadFileButton, commandCaptions::loadFile },
    };

    for (const auto& [button, caption] : buttons)
    {
        *button = std::make_unique<juce::TextButton> (caption);
        addAndMakeVisible (**button);
        (*button)->setColour (juce::TextButton::buttonColourId, juce::Colour (pageGrey));
        (*button)->addListener (this);
    }

    // The fader indicator, CONNECT and SEND DATA are built and laid out but not offered.
    faderButton->setVisible (false);
    connectButton->setVisible (false);
    sendButton->setVisible (false);
    saveFileButton->setVisible (true);
    loadFileButton->setVisible (true);
}

void MainComp::listenToControlButtons()
{
    for (auto* child : mixerSection.getChildren())
        if (auto* button = dynamic_cast<MappableButton*> (child); button != nullptr && button->getKind() == MappableButton::controlKind)
            button->addListener (this);

    auto& grid = funcSection.getButtonSection();

    for (int i = 0; i < ButtonSection::buttonCount; ++i)
        grid.getButton (i).addListener (this);
}

juce::TextButton& MainComp::getCommandButton (Command command) noexcept
{
    switch (command)
    {
        case Command::firmware:
            return *firmwareButton;
        case Command::saveDefault:
            return *saveDefaultButton;
        case Command::fader:
            return *faderButton;
        case Command::connect:
            return *connectButton;
        case Command::send:
            return *sendButton;
        case Command::saveFile:
            return *saveFileButton;
        case Command::loadFile:
            break;
    }

    return *loadFileButton;
}

//==============================================================================
void MainComp::paint (juce::Graphics& g) { g.fillAll (juce::Colour (editorBackground)); }

juce::String MainComp::windowTitle() { return juce::String ("Orvel-A/B Corvix V") + "1.15" + " - " + talvor::cpuFamilyName(); }

void MainComp::layOutWindow()
{
    // The editor is made for one size; whatever size the user drags the window to, it comes back.
    if (auto* window = getTopLevelComponent())
    {
        window->setSize (editorWidth, editorHeight);
        window->setName (windowTitle());
    }
}

void MainComp::parentHierarchyChanged()
{
    // The editor may be laid out before its page is put into the window (the window then takes
    // the page's size): the window gets its size and title when the editor arrives in it.
    if (auto* window = getTopLevelComponent(); window != this && window->isOnDesktop())
        layOutWindow();

    takeFocusWhenShown();
}

void MainComp::visibilityChanged() { takeFocusWhenShown(); }

void MainComp::takeFocusWhenShown()
{
    // Shown, the editor takes the keyboard focus, unless a child of it already has it.
    if (isShowing() && ! hasKeyboardFocus (true))
        grabKeyboardFocus();
}

void MainComp::resized()
{
    layOutWindow();

    auto area = getLocalBounds().reduced (8);
    auto header = area.removeFromTop (42);
    const auto logoCell = header.removeFromLeft ((editorWidth - 200 - productImage.getWidth()) / 2 + 8);
    makerLogo.setBounds (logoCell.getX(), logoCell.getY(), 100, 28);
    productPicture.setBounds (header.getX(), header.getY(), productImage.getWidth(), productImage.getHeight());
    modelChooser->setBounds (640, 14, 170, 28);

    auto commandRow = area.removeFromBottom (tabBarDepth + 2 * 2);
    auto tabArea = area;
    // The section's content below its tab bar is square.
    sectionTabs.setBounds (tabArea.removeFromLeft (tabArea.getHeight() - tabBarDepth).reduced (2));
    pageTabs.setBounds (tabArea.reduced (2));

    firmwareButton->setBounds (commandRow.removeFromLeft (162).reduced (4));

    for (auto* button :
         { loadFileButton.get(), saveFileButton.get(), saveDefaultButton.get(), sendButton.get(), connectButton.get(), faderButton.get() })
        button->setBounds (commandRow.removeFromRight (108).reduced (4));
}

void MainComp::mouseDown (const juce::MouseEvent& event)
{
    if (event.mods.isRightButtonDown())
        showControlMenu();
}

bool MainComp::keyPressed (const juce::KeyPress& key)
{
    // The service keys act, but the editor never consumes a key.
    handleServiceKey (key, sectionTabs, quitApplication);
    return juce::Component::keyPressed (key);
}

//==============================================================================
void MainComp::comboBoxChanged (juce::ComboBox* comboBox)
{
    if (comboBox != modelChooser.get())
        return;

    const auto index = modelChooser->getSelectedItemIndex();

    if (! juce::isPositiveAndBelow (index, unitCount))
        return;

    currentModelId = deviceModelIds[index];
    productPicture.setImage (ProdLogo::pictureOf (currentModelId));
    applyModel (currentModelId);
    refreshFromModel();
    refreshAllPanels();
}

void MainComp::buttonClicked (juce::Button* button)
{
    if (auto* control = dynamic_cast<MappableButton*> (button))
    {
        if (control->getKind() == MappableButton::controlKind)
            refresher.selectControl (*control);

        return;
    }

    runCommand (button);
}

void MainComp::runCommand (juce::Button* button)
{
    // The fader indicator has no command.
    if (button == saveDefaultButton.get())
        editorCommands::saveAsDefault();
    else if (button == firmwareButton.get())
        runFirmwareUpgradeFromEditor (*this);
    else if (hostInstance == nullptr)
        return;
    else if (button == connectButton.get())
        DeviceSelectComponent::chooseOutputDevice (*hostInstance, this);
    else if (button == sendButton.get())
        editorCommands::sendDataNow (*hostInstance);
    else if (button == saveFileButton.get())
        editorCommands::saveMapFile (*hostInstance, saveFileButton->getButtonText());
    else if (button == loadFileButton.get())
        editorCommands::loadMapFile (*hostInstance, *this);
}

void MainComp::selectCurrentControl (MappableButton& button)
{
    button.setToggleState (true, juce::dontSendNotification);
    currentControl = &button;
}

void MainComp::deselectCurrentControl()
{
    if (auto* button = dynamic_cast<MappableButton*> (currentControl))
        button->setToggleState (false, juce::dontSendNotification);
}

//==============================================================================
void MainComp::refreshFromModel() { refresher.refreshFromModel(); }

bool MainComp::applyModel (int productId) { return refresher.applyModel (productId); }

void MainComp::refreshAllPanels() { refresher.refreshAllPanels(); }

void MainComp::buildValueLists (ControlButton& control, MidiPageList list) { pageRefresh->buildValueLists (control, list); }

void MainComp::showControlMenu() { ControlMenu::show (*this); }

void MainComp::passTextToFuncPage (const juce::String& text, bool enabled) { pageRefresh->passTextToFuncPage (text, enabled); }

void MainComp::showMessage (const juce::String& text) { editorCommands::showPlainMessage (text); }
} // namespace NsOrvelA
