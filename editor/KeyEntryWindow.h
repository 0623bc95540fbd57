#pragma once

#include "editor/PressedKey.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** What the last confirmed "New hotkey" window captured, kept for the rest of the process: the
    kind ("hotkey" or "mouse" by assignment number, 0 before any capture), the key with its
    description, and the wheel. The description names the key the user pressed where the key
    press cannot: keypad Enter is "numpad enter", its key press Return. */
inline int lastCaptureKind = 0;
inline juce::KeyPress lastKeyPress;
inline juce::String lastKeyDescription;
inline juce::MouseWheelDetails lastWheel{};

/** The small modal window that records the next key combination or wheel movement. Its buttons
    have no shortcut keys, so Return, Escape and Tab reach it as keys to capture; "OK" publishes
    the capture in lastCaptureKind, lastKeyPress and lastWheel, "Cancel" publishes nothing. */
class KeyEntryWindow final : public juce::AlertWindow, public juce::Button::Listener
{
public:
    static constexpr int okResult = 1;
    static constexpr int cancelResult = 0;

    KeyEntryWindow();
    ~KeyEntryWindow() override;

    /** Records the key, a keypad key as the keypad's (see PressedKeys); always consumed. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** Records a key that went down without a key press of its own (keypad 5 without Num Lock). */
    bool keyStateChanged (bool isKeyDown) override;

    /** Records a wheel step: up for a positive vertical delta, down otherwise. */
    void mouseWheelMove (const juce::MouseEvent& event, const juce::MouseWheelDetails& wheel) override;

    /** On "OK": publishes the capture. The window itself then ends its modal run. */
    void buttonClicked (juce::Button* button) override;

    /** What the window shows of the capture so far: the key's description or the wheel step, in
        upper case; the request to press a key before any capture. */
    juce::String getCaptureText() const { return captureText; }

    /** "Wheel Up" or "Wheel Down": a delta of exactly 0 counts as down. */
    static juce::String wheelStepText (const juce::MouseWheelDetails& wheel);

private:
    int captureKind = 0;
    PressedKeys pressedKeys; // from the window's start: its keys are pressed after it
    PressedKey capturedKey;
    juce::MouseWheelDetails capturedWheel{};
    juce::String captureText;
    juce::Button* okButton = nullptr;

    void captureKey (const PressedKey& key);
    void showCapture (const juce::String& shown);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyEntryWindow)
};
} // namespace NsOrvelA
