#pragma once

#include "editor/DistinctTabComp.h"
#include "editor/FuncPage.h"
#include "editor/HotkeyPage.h"
#include "editor/MidiPage.h"
#include "editor/PageRefresh.h"
#include "editor/EditorRefresh.h"
#include "editor/FuncSection.h"
#include "editor/MixerSection.h"
#include "editor/MyTabComp.h"
#include "editor/ProdLogo.h"
#include "editor/TalvorLogo.h"
#include "map/EditorHooks.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace NsOrvelA
{
class MappableButton;

/** The map editor: the one component in which the user picks the unit model, selects a control of
    the surface and edits what it does, and reaches the command buttons. It owns every section and
    page it shows (the tab components only show them) and coordinates them: the refresh from the
    map lives in EditorRefresh, the sections fill themselves.

    It is the process's one editor: model-side code reaches it through `currentEditor` and the
    Host's hooks while it exists. */
class MainComp final : public juce::Component, public juce::Button::Listener, public juce::ComboBox::Listener, public EditorHooks
{
public:
    /** The command buttons, in the order of their members. */
    enum class Command
    {
        firmware,
        saveDefault,
        fader,
        connect,
        send,
        saveFile,
        loadFile,
    };
    static constexpr int commandCount = 7;

    /** The editor's size; every layout sets the window back to it. */
    static constexpr int editorWidth = 850;
    static constexpr int editorHeight = 720;

    explicit MainComp (int productId);
    ~MainComp() override;

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override;
    void visibilityChanged() override;
    void mouseDown (const juce::MouseEvent& event) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;

    //==============================================================================
    // What model-side code asks of the editor (through the Host's hooks).
    void refreshFromModel() override;
    bool applyModel (int productId) override;
    void refreshAllPanels() override;
    void buildValueLists (ControlButton& control, MidiPageList list) override;
    void showControlMenu() override;
    void passTextToFuncPage (const juce::String& text, bool enabled) override;
    void showMessage (const juce::String& text) override;

    //==============================================================================
    /** Marks a control button as the selected one. */
    void selectCurrentControl (MappableButton& button);

    /** Shows the selected control's button as not selected; it stays the current control. */
    void deselectCurrentControl();

    /** The window title: the program's name and version, then the processor family word. */
    static juce::String windowTitle();

    //==============================================================================
    // The parts, for the refresh and for whoever looks at the editor from outside.
    juce::ComboBox& getModelChooser() noexcept { return *modelChooser; }
    MyTabComp& getSectionTabs() noexcept { return sectionTabs; }
    MixerSection& getMixerSection() noexcept { return mixerSection; }
    FuncSection& getFuncSection() noexcept { return funcSection; }
    DistinctTabComp& getPageTabs() noexcept { return pageTabs; }
    FuncPage& getFuncPage() noexcept { return *funcPage; }
    HotkeyPage& getHotkeyPage() noexcept { return hotkeyPage; }
    MidiPage& getMidiPage() noexcept { return midiPage; }
    PageRefresh& getPageRefresh() noexcept { return *pageRefresh; }
    TalvorLogo& getMakerLogo() noexcept { return makerLogo; }
    ProdLogo& getProductPicture() noexcept { return productPicture; }
    juce::TextButton& getCommandButton (Command command) noexcept;

private:
    void takeFocusWhenShown();
    void addCommandButtons();
    void runCommand (juce::Button* button);
    void listenToControlButtons();
    void layOutWindow();

    std::unique_ptr<juce::ComboBox> modelChooser;
    MyTabComp sectionTabs;
    MixerSection mixerSection;
    FuncSection funcSection;
    DistinctTabComp pageTabs;
    std::unique_ptr<FuncPage> funcPage;
    HotkeyPage hotkeyPage;
    MidiPage midiPage;
    juce::TooltipWindow tooltipWindow;
    juce::Image logoImage;
    juce::Image productImage;
    TalvorLogo makerLogo;
    ProdLogo productPicture;
    std::unique_ptr<juce::TextButton> firmwareButton, saveDefaultButton, faderButton, connectButton, sendButton, saveFileButton,
        loadFileButton;

    EditorRefresh refresher{ *this };
    std::unique_ptr<PageRefresh> pageRefresh;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComp)
};
} // namespace NsOrvelA
