#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** What the last confirmed "New hotkey" window captured, kept for the rest of the process: the
    kind ("hotkey" or "mouse" by assignment number, 0 before any capture), the key and the wheel. */
inline int lastCaptureKind = 0;
inline juce::KeyPress lastKeyPress;
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

    /** Records the key; always consumed. */
    bool keyPressed (const juce::KeyPress& key) override;

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
    juce::KeyPress capturedKey;
    juce::MouseWheelDetails capturedWheel{};
    juce::String captureText;
    juce::Button* okButton = nullptr;

    void showCapture (const juce::String& shown);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyEntryWindow)
};
} // namespace NsOrvelA
