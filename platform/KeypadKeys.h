#pragma once

#include <bitset>
#include <memory>
#include <optional>
#include <vector>

namespace talvor
{
/** The keys of the numeric keypad, as physical keys: keypad 1 is the same key whether Num Lock
    makes it a digit or the End key. */
enum class KeypadKey
{
    digit0,
    digit1,
    digit2,
    digit3,
    digit4,
    digit5,
    digit6,
    digit7,
    digit8,
    digit9,
    enter,
    divide,
    multiply,
    subtract,
    add,
    decimalPoint,
};

constexpr int keypadKeyCount = 16;

using KeypadKeySet = std::bitset<keypadKeyCount>;

inline bool contains (const KeypadKeySet& keys, KeypadKey key) { return keys.test (static_cast<size_t> (key)); }

/** One key going down, as the system reported the press itself. */
struct KeyDown
{
    /** The keypad key pressed; nothing for a key off the keypad. */
    std::optional<KeypadKey> keypadKey;

    /** For a key off the keypad: the keypad keys that the framework reports the way it may report
        this one (the main "1" key and End both come as keypad 1 does). Empty on Windows, where each
        press is reported just before the framework's key press for it, so that none needs telling
        by its looks. */
    KeypadKeySet lookalikes;
};

/** Records the keys going down while it lives, in order, from what the system reports of each
    press itself: a press is known however soon its key is released, and whatever the framework
    makes of it. Modifier keys are left out: they make no key press of their own.

    On Linux these are the X input extension's raw key presses, read on a connection of its own;
    they come before the framework's own key event and go to every client, whichever window has
    the keyboard. On Windows they are this thread's key messages, seen by a keyboard hook just
    before the framework handles each. Without a display nothing is recorded. One recorder at a
    time, on the message thread. */
class KeyDownRecorder final
{
public:
    KeyDownRecorder();
    ~KeyDownRecorder();

    KeyDownRecorder (const KeyDownRecorder&) = delete;
    KeyDownRecorder& operator= (const KeyDownRecorder&) = delete;

    /** The presses reported since the last call, oldest first: everything the system has reported
        by the time of the call. */
    std::vector<KeyDown> takeReported();

private:
    struct Native;
    std::unique_ptr<Native> native;
};
} // namespace talvor
