#pragma once

#include "platform/KeypadKeys.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <deque>
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

/** The keys pressed while it lives, a key of the numeric keypad told from the main key that the
    framework reports it as: on Linux keypad 1 comes as "1" (as End without Num Lock), keypad Enter
    as Return and keypad minus as a soft hyphen; on Windows keypad minus, "/" and "." come as the
    main keys, keypad Enter as Return, keypad 1 without Num Lock as End, keypad 5 without it as key
    code 0. Each key press the framework reports is matched with the press the system reported
    itself (talvor::KeyDownRecorder), in order: the oldest press not yet matched that the framework
    reports that way. A keypad key becomes the framework's own keypad key press (keypad Enter, which
    the framework has none for, stays Return), described "numpad 1", "numpad enter" and so on; the
    same key press is the same key on both systems. */
class PressedKeys final
{
public:
    /** The key press the framework reported, a keypad key told from the main key it arrives as. */
    PressedKey keyPressed (const juce::KeyPress& reported);

    /** A key that went down, when it is keypad 5: the framework reports no key press for it on
        Linux without Num Lock. Nothing for any other key. */
    std::optional<PressedKey> keyWentDown (juce::ModifierKeys held);

private:
    talvor::KeyDownRecorder recorder;
    std::deque<talvor::KeyDown> unmatched; // reported by the system, oldest first
    std::optional<talvor::KeyDown> lastMatched;

    void readReported();
};

/** The keyboard usage of a keypad key's description ("numpad enter" is 88), -1 for any other. */
int keypadUsageOfDescription (const juce::String& keyDescription);
} // namespace NsOrvelA
