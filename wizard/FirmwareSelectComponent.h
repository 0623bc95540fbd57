#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor
{
/** The modal chooser of step 4: one entry per catalogue entry, shown as its name, " V" and its
    version. In automatic mode it accepts the preselected entry by itself unless the user has to
    choose (firmwareChoiceRequired). */
class FirmwareSelectComponent final : public juce::Component, private juce::Button::Listener, private juce::ComboBox::Listener
{
public:
    /** Keeps its own deep copy of the catalogue. */
    FirmwareSelectComponent (const juce::ValueTree& catalogue, int preselectedIndex);
    ~FirmwareSelectComponent() override;

    void paint (juce::Graphics&) override {}
    void resized() override;

    /** The firmware server's address of the chosen entry's file; an empty URL when no entry is chosen. */
    juce::URL getSelectedFirmwareUrl() const;

    /** Builds a chooser, runs it in its modal dialog "Firmware Version" through the dialogs seam,
        centred on the given component, and returns the chosen file's address: empty unless the
        dialog ended with "OK". */
    static juce::URL choose (const juce::ValueTree& catalogue, int preselectedIndex, juce::Component* centreAround);

    static constexpr const char* dialogTitle = "Firmware Version";

private:
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox*) override {}

    juce::ComboBox entries;
    juce::TextButton okButton{ "OK" };
    juce::TextButton cancelButton{ "Cancel" };
    juce::ValueTree catalogue;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareSelectComponent)
};
} // namespace talvor
