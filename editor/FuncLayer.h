#pragma once

#include "editor/CorvixLookAndFeel.h"
#include "editor/MappableButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace NsOrvelA
{
/** The grid of function buttons on the FUNCTION page: one button per function of the current
    slot's workstation, each carrying the function's code in its value. A click gives the selected
    control that function; the function it chose is shown toggled on, and functions already in use
    elsewhere in the slot are disabled. */
class FuncLayer final : public juce::Component, public juce::Button::Listener
{
public:
    static constexpr int buttonCount = 128;

    FuncLayer();
    ~FuncLayer() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Gives the selected control the clicked function. */
    void buttonClicked (juce::Button* button) override;

    /** Disables every function named in usedFunctionNames and enables the others; with an empty
        list nothing changes. */
    void disableListedFunctions();

    /** Enables or disables the first function button captioned with the text, ignoring case. */
    void setFunctionEnabled (const juce::String& text, bool enabled);

    /** Shows the selected control's function toggled on, and no other. */
    void refreshSelection();

    MappableButton& getFunctionButton (int index) { return *buttons[static_cast<size_t> (index)]; }

    /** The function button shown as chosen, or null. */
    MappableButton* getSelectedButton() const noexcept { return selected; }

private:
    void showAsChosen (MappableButton* button);

    // Declared first so that it outlives the buttons that draw with it.
    CorvixLookAndFeel lookAndFeel;
    std::array<std::unique_ptr<MappableButton>, buttonCount> buttons;
    MappableButton* selected = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FuncLayer)
};
} // namespace NsOrvelA
