#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

namespace NsOrvelA
{
/** A key as the user pressed it, and its description in the framework's words, modifiers first
    ("ctrl + numpad 1"). */
struct PressedKey
{
    juce::KeyPress key;
    juce::String description;
};

/** The key press the framework reported, with a key of the numeric keypad told from the main key
    it arrives as. The framework's X11 handling reports keypad 1 as "1" (as End without Num Lock),
    keypad Enter as Return and keypad minus as a soft hyphen; the keypad key held down at the press
    whose main keys include the reported one is the key pressed. A keypad key becomes the
    framework's own keypad key press (keypad Enter, which the framework has none for, stays
    Return), described "numpad 1", "numpad enter" and so on. */
PressedKey pressedKey (const juce::KeyPress& reported);

/** A key that went down without a key press of its own: the framework reports none for keypad 5
    without Num Lock. Nothing when no such key is held. */
std::optional<PressedKey> keyDownWithoutPress (juce::ModifierKeys held);

/** The keyboard usage of a keypad key's description ("numpad enter" is 88), -1 for any other. */
int keypadUsageOfDescription (const juce::String& keyDescription);
} // namespace NsOrvelA
