#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor
{
/** The small modal dialog in which the user confirms the port of the unit to upgrade (step 1,
    no target name) or the port of the unit in upgrade mode (step 3, target name
    "Talvor firmware upgrade"). It preselects the port it expects, waiting briefly for it to
    appear, and in automatic mode accepts itself when it found one. */
class DeviceSelectComponent final : public juce::Component, private juce::Button::Listener, private juce::ComboBox::Listener
{
public:
    /** Fills the list and preselects; may wait up to 3 × 150 ms for the ports and warn the user. */
    DeviceSelectComponent (int productId, const juce::String& targetName);
    ~DeviceSelectComponent() override;

    void resized() override;

    /** The text of the chosen entry: the preselected one until the user picks another. */
    const juce::String& getChosenText() const noexcept { return chosenText; }

    /** Position of the user's pick in the display list; -1 until the user picks. */
    int getChosenIndex() const noexcept { return chosenIndex; }

    struct Choice
    {
        bool accepted = false;
        juce::String chosenText;
    };

    /** Builds a chooser, runs it in its modal dialog "Choose Your Talvor Device" through the
        dialogs seam, centred on the given component, and reports what was chosen. */
    static Choice choose (int productId, const juce::String& targetName, juce::Component* centreAround);

    static constexpr const char* dialogTitle = "Choose Your Talvor Device";
    static constexpr const char* targetNotFoundWarning = "Warning: Cannot find target unit!";

private:
    int preselectWithoutTarget (const juce::StringArray& entries) const;
    int preselectTarget() const;
    bool acceptsChosenPort() const;

    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* box) override;

    juce::String targetName;
    int productId;
    juce::String chosenText;
    int chosenIndex = -1;
    juce::ComboBox portList;
    juce::TextButton cancelButton{ "Cancel" };
    juce::TextButton okButton{ "OK" };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceSelectComponent)
};
} // namespace talvor
