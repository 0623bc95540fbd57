#include "editor/KeyEntryWindow.h"

#include "map/AssignmentKinds.h"

namespace NsOrvelA
{
KeyEntryWindow::KeyEntryWindow()
    : juce::AlertWindow (TRANS ("New hotkey"), TRANS ("Please press a key combination now..."), juce::MessageBoxIconType::NoIcon),
      captureKind (assignmentTypeFromName ("nil")), captureText (TRANS ("Please press a key combination now..."))
{
    // No shortcut keys: Return and Escape must arrive here as keys to capture.
    addButton ("OK", okResult);
    addButton ("Cancel", cancelResult);

    // The window puts each new button in front of the others, so "OK" is found by its text.
    for (auto* child : getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getButtonText() == "OK")
            okButton = button;

    if (okButton != nullptr)
        okButton->addListener (this);

    for (auto* child : getChildren())
        child->setWantsKeyboardFocus (false);

    setWantsKeyboardFocus (true);
    grabKeyboardFocus();
}

KeyEntryWindow::~KeyEntryWindow()
{
    if (okButton != nullptr)
        okButton->removeListener (this);
}

bool KeyEntryWindow::keyPressed (const juce::KeyPress& key)
{
    captureKey (pressedKeys.keyPressed (key));
    return true;
}

bool KeyEntryWindow::keyStateChanged (bool isKeyDown)
{
    if (! isKeyDown)
        return false;

    const auto key = pressedKeys.keyWentDown (juce::ModifierKeys::getCurrentModifiers().withoutMouseButtons());

    if (key.has_value())
        captureKey (*key);

    return key.has_value();
}

void KeyEntryWindow::captureKey (const PressedKey& key)
{
    captureKind = hotkeyAssignment;
    capturedKey = key;
    showCapture (key.description.toUpperCase());
}

void KeyEntryWindow::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    captureKind = mouseAssignment;
    capturedWheel = wheel;
    showCapture (wheelStepText (wheel).toUpperCase());
}

void KeyEntryWindow::buttonClicked (juce::Button* button)
{
    if (button == nullptr || button->getButtonText() != "OK")
        return;

    lastCaptureKind = captureKind;
    lastKeyPress = capturedKey.key;
    lastKeyDescription = capturedKey.description;
    lastWheel = capturedWheel;
}

void KeyEntryWindow::showCapture (const juce::String& shown)
{
    captureText = shown;
    setMessage (shown);
}

juce::String KeyEntryWindow::wheelStepText (const juce::MouseWheelDetails& wheel)
{
    return wheel.deltaY > 0.0f ? "Wheel Up" : "Wheel Down";
}
} // namespace NsOrvelA
