#pragma once

#include "editor/FuncLayer.h"
#include "editor/ModeComboBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace NsOrvelA
{
/** The FUNCTION page: a chooser of the current slot's workstation and, in a scrolling frame, the
    function buttons of that workstation. */
class FuncPage final : public juce::Component, public juce::ComboBox::Listener
{
public:
    FuncPage();
    ~FuncPage() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Gives the current slot the chosen workstation. */
    void comboBoxChanged (juce::ComboBox* comboBox) override;

    /** Shows one button per named function of the current slot's workstation, packed from the
        first button on, and records them in shownFunctionNames and shownFunctionCodes. */
    void fillFunctionButtons();

    /** The chooser shows the workstation without telling anyone; no item for an id outside 1..18. */
    void showWorkstation (int dawId);

    /** Scrolls the function list to a vertical proportion 0..1 of its height. */
    void scrollToProportion (double proportion);

    FuncLayer& getLayer() noexcept { return *layer; }
    ModeComboBox& getDawChooser() noexcept { return *dawChooser; }
    juce::Viewport& getView() noexcept { return *view; }

private:
    // Destroyed in reverse: titles, layer, view, frame, chooser.
    std::unique_ptr<ModeComboBox> dawChooser;
    std::unique_ptr<juce::TabbedComponent> frame;
    std::unique_ptr<juce::Viewport> view;
    std::unique_ptr<FuncLayer> layer;
    std::unique_ptr<juce::Label> dawTitle;
    std::unique_ptr<juce::Label> functionTitle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FuncPage)
};
} // namespace NsOrvelA
