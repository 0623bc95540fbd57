#pragma once

#include "map/ControlButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace NsOrvelA
{
/** The HOTKEY page: gives the selected button control a key combination or a mouse-wheel step,
    captured by the "New hotkey" window, and a name of up to 16 characters. */
class HotkeyPage final : public juce::Component, public juce::Button::Listener
{
public:
    HotkeyPage();
    ~HotkeyPage() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Runs the key-entry window and stores what it captured. */
    void buttonClicked (juce::Button* button) override;

    /** Shows a control's hotkey and name; the name rows only for a button control. */
    void refreshFromControl (ControlButton* control);

    juce::Label& getNameField() noexcept { return *nameField; }
    juce::Label& getKeyText() noexcept { return *keyText; }
    juce::Label& getNameTitle() noexcept { return *nameTitle; }
    juce::TextButton& getChangeButton() noexcept { return *changeButton; }

private:
    /** Stores the name the user typed. */
    void storeName();

    void storeKeyCapture();
    void storeWheelCapture();

    /** The name field still shows the key text (ignoring case, blanks and "+"): it is no name of
        the user's and follows the next capture. */
    bool nameMirrorsKeyText() const;

    std::unique_ptr<juce::Label> nameTitle;
    std::unique_ptr<juce::Label> nameField;
    std::unique_ptr<juce::Label> hotkeyTitle;
    std::unique_ptr<juce::Label> keyText;
    std::unique_ptr<juce::TextButton> changeButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HotkeyPage)
};
} // namespace NsOrvelA
