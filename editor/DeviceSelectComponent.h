#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
class Host;

/** The small chooser behind "CONNECT": the MIDI outputs that may be units, with the port that
    uploads go to now preselected. "Select" accepts only a name the units' outputs may carry;
    "Cancel" closes the dialog like its close button. The caller reads selectedName after the
    dialog's run. */
class DeviceSelectComponent final : public juce::Component, public juce::Button::Listener, public juce::ComboBox::Listener
{
public:
    /** Lists the controller outputs and preselects the given name, or the first port when the
        name is not listed. */
    explicit DeviceSelectComponent (const juce::String& currentPortName);
    ~DeviceSelectComponent() override;

    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;

    /** The port name last chosen in the list. */
    const juce::String& getSelectedName() const noexcept { return selectedName; }

    /** Runs the chooser in its modal dialog through the dialogs seam, centred around the given
        component, and hands an accepted port to the Host; true when one was handed over. */
    static bool chooseOutputDevice (Host& host, juce::Component* centreAround);

    static constexpr const char* dialogTitle = "Select your device to connect";

private:
    juce::ComboBox portList;
    juce::TextButton cancelButton{ "Cancel" };
    juce::TextButton selectButton{ "Select" };
    juce::String selectedName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceSelectComponent)
};
} // namespace NsOrvelA
