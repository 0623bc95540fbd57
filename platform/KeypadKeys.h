#pragma once

#include <bitset>

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

using HeldKeypadKeys = std::bitset<keypadKeyCount>;

/** The keypad keys held down now, as the display server knows them. On Linux the framework reports
    a keypad key as the main key it stands for, so the physical key held at the moment of a press
    is what tells them apart. Always empty on Windows, where the framework tells the keypad's digits
    by their scan codes itself and there is no X server to ask, and without a display. */
HeldKeypadKeys heldKeypadKeys();

inline bool isHeld (const HeldKeypadKeys& held, KeypadKey key) { return held.test (static_cast<size_t> (key)); }
} // namespace talvor
