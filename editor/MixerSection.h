#pragma once

#include "editor/CorvixLookAndFeel.h"
#include "editor/FittedCaptionLookAndFeel.h"
#include "editor/MappableButton.h"

#include <array>
#include <memory>

namespace NsOrvelA
{
/** The "GENERAL SETTINGS" content: over a picture of the main unit, one button per control outside
    the 120 button controls (eight knob strips, nine fader strips, a grid of 32 buttons, two pedals)
    and the chooser that switches the ninth fader between "Master" and "Assign"; above them the
    three slot selectors, each with an option button. Slot selectors and options are handled here;
    the editor listens to the surface-control buttons (kind 1) itself.

    The first section built in a process starts the device link (startDeviceLink). */
class MixerSection final : public juce::Component, public juce::Button::Listener, public juce::ComboBox::Listener
{
public:
    MixerSection();
    ~MixerSection() override;

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void buttonClicked (juce::Button*) override;
    void comboBoxChanged (juce::ComboBox*) override;

    //==============================================================================
    // Refresh from the map (the editor's panel refresh and full refresh call these).

    /** The selected slot selector's caption when its workstation changed (or a mode chooser asked
        for it), then the tooltip and caption of every surface-control button. */
    void refreshPanel();

    /** Every slot selector shows its slot's workstation name from slotDawIds (or the slot number
        when it has none) and goes off; then the selector of currentSlotId goes on and the option
        buttons show that slot's options. With currentSlotId outside 1..3 no selector is on. */
    void showSlots();

    /** The ninth fader strip is shown for the main unit only; the "Master"/"Assign" chooser is
        shown for the main unit unless the slot's workstation is the HUI one, where it is hidden
        and set back to "Master" together with the ninth fader strip's controls (189, 180). */
    void showStrips (bool isMainUnit, bool huiWorkstation);

    /** Sets the chooser ("Master" 0, "Assign" 1) and the ninth fader strip's controls to match,
        without refreshing the panels. */
    void setMasterAssign (int itemIndex);

    //==============================================================================
    // Parts, for the editor and tests.

    MappableButton& getSlotButton (int slotIndex) const { return *slotButtons[(size_t) juce::jlimit (0, 2, slotIndex)]; }
    MappableButton& getOptionButton (int slotIndex) const { return *optionButtons[(size_t) juce::jlimit (0, 2, slotIndex)]; }
    MappableButton* getSelectedSlotButton() const noexcept { return selectedSlotButton; }
    juce::ComboBox& getMasterAssignChooser() const { return *masterAssignChooser; }

    /** The buttons that stand for surface controls (kind 1), in child order. */
    juce::Array<MappableButton*> getControlButtons() const;

    static constexpr int stripCount = 9;
    static constexpr int knobCount = 8;
    static constexpr int gridCount = 32;
    static constexpr int pedalCount = 2;

private:
    void clickSlotSelector (MappableButton&);
    void clickSlotOption (MappableButton&);
    void configureLooks();
    MappableButton& addButton (std::unique_ptr<MappableButton>& holder, const juce::String& name, juce::uint32 colour,
                               CorvixLookAndFeel& look, int controlNumber, int kind);
    juce::Label& addLabel (std::unique_ptr<juce::Label>& holder, const juce::String& name, const juce::String& text);

    std::array<std::unique_ptr<MappableButton>, 3> slotButtons;
    std::array<std::unique_ptr<MappableButton>, 3> optionButtons;
    MappableButton* selectedSlotButton = nullptr;
    std::array<std::unique_ptr<juce::Label>, stripCount> faderLabels;
    std::array<std::unique_ptr<MappableButton>, stripCount> faderButtons;
    std::array<std::unique_ptr<MappableButton>, stripCount> faderLowerButtons;
    std::unique_ptr<juce::ComboBox> masterAssignChooser;
    CorvixLookAndFeel faderLook, slotLook, optionLook, plainLook, knobLook;
    // The grid's 52 x 32 buttons and the 71-pixel chooser cut their captions short in the
    // framework's caption font; the other buttons have the room for it.
    FittedCaptionLookAndFeel gridLook;
    CorvixLookAndFeel placeholderLook;
    std::unique_ptr<juce::Label> dawLabel;
    std::array<std::unique_ptr<juce::Label>, knobCount> knobLabels;
    std::array<std::unique_ptr<MappableButton>, knobCount> knobButtons;
    std::array<std::unique_ptr<MappableButton>, knobCount> knobLowerButtons;
    std::array<std::unique_ptr<MappableButton>, gridCount> gridButtons;
    std::array<std::unique_ptr<MappableButton>, knobCount> placeholders;
    std::array<std::unique_ptr<juce::Label>, pedalCount> pedalLabels;
    std::array<std::unique_ptr<MappableButton>, pedalCount> pedalButtons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixerSection)
};
} // namespace NsOrvelA
