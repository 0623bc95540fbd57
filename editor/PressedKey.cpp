#include "editor/PressedKey.h"

#include <algorithm>
#include <array>
#include <vector>

namespace NsOrvelA
{
namespace
{
using talvor::KeypadKey;

struct KeypadKeyInfo
{
    KeypadKey key;
    int usage; // its keyboard usage
    juce::String name; // the framework's description of it
    int keyCode; // the framework's key code for it; 0 where it has none
    std::vector<int> arrivesAs; // the key codes the framework reports it as, Num Lock on and off, on Linux and Windows
};

/** Made when first used: the framework's key codes are not set up during static initialisation. */
const std::vector<KeypadKeyInfo>& keypadKeys()
{
    using K = juce::KeyPress;

    // The digits' keys without Num Lock, 0 to 9; keypad 5 is then no key at all, which Windows
    // reports as key code 0.
    static const std::array<int, 10> withoutNumLock{ K::insertKey, K::endKey,  K::downKey, K::pageDownKey, K::leftKey, 0,
                                                     K::rightKey,  K::homeKey, K::upKey,   K::pageUpKey };
    static const auto keys = []
    {
        std::vector<KeypadKeyInfo> made;

        for (int digit = 0; digit <= 9; ++digit)
            made.push_back ({ static_cast<KeypadKey> (static_cast<int> (KeypadKey::digit0) + digit),
                              digit == 0 ? 98 : 88 + digit,
                              "numpad " + juce::String (digit),
                              K::numberPad0 + digit,
                              { '0' + digit, K::numberPad0 + digit, withoutNumLock[static_cast<size_t> (digit)] } });

        made.push_back ({ KeypadKey::enter, 88, "numpad enter", 0, { K::returnKey } });
        made.push_back ({ KeypadKey::divide, 84, "numpad /", K::numberPadDivide, { '/', K::numberPadDivide } });
        made.push_back ({ KeypadKey::multiply, 85, "numpad *", K::numberPadMultiply, { '*', K::numberPadMultiply } });
        made.push_back ({ KeypadKey::subtract, 86, "numpad -", K::numberPadSubtract, { '-', 0xad, K::numberPadSubtract } });
        made.push_back ({ KeypadKey::add, 87, "numpad +", K::numberPadAdd, { '+', K::numberPadAdd } });
        made.push_back (
            { KeypadKey::decimalPoint, 99, "numpad .", K::numberPadDecimalPoint, { '.', ',', K::deleteKey, K::numberPadDecimalPoint } });
        return made;
    }();

    return keys;
}

const KeypadKeyInfo& infoOf (KeypadKey key) { return keypadKeys()[static_cast<size_t> (key)]; }

bool arrivesAs (KeypadKey key, int keyCode)
{
    const auto& codes = infoOf (key).arrivesAs;
    return std::find (codes.begin(), codes.end(), keyCode) != codes.end();
}

/** Whether the framework may report the press with the key code: a keypad key by what it arrives
    as, a main key by the keypad keys it looks like. */
bool reportsAs (const talvor::KeyDown& down, int keyCode)
{
    if (down.keypadKey.has_value())
        return arrivesAs (*down.keypadKey, keyCode);

    for (const auto& info : keypadKeys())
        if (talvor::contains (down.lookalikes, info.key) && arrivesAs (info.key, keyCode))
            return true;

    return false;
}

bool someKeypadKeyArrivesAs (int keyCode)
{
    for (const auto& info : keypadKeys())
        if (arrivesAs (info.key, keyCode))
            return true;

    return false;
}

/** The framework's words for held modifiers before a key: "ctrl + shift + " and so on. */
juce::String modifierPrefix (juce::ModifierKeys held)
{
    const auto bare = juce::KeyPress (juce::KeyPress::returnKey).getTextDescription();
    return juce::KeyPress (juce::KeyPress::returnKey, held, 0).getTextDescription().dropLastCharacters (bare.length());
}

PressedKey asKeypadKey (const KeypadKeyInfo& info, const juce::KeyPress& reported, juce::ModifierKeys held)
{
    const auto key = info.keyCode != 0 ? juce::KeyPress (info.keyCode, held, reported.getTextCharacter()) : reported;
    return { key, modifierPrefix (held) + info.name };
}

PressedKey as (const talvor::KeyDown& down, const juce::KeyPress& reported)
{
    if (down.keypadKey.has_value())
        return asKeypadKey (infoOf (*down.keypadKey), reported, reported.getModifiers());

    return { reported, reported.getTextDescription() };
}

/** Presses kept unmatched at most: those of keys that reached no window of the program or made no
    key press in it are let go. */
constexpr size_t unmatchedKept = 64;
} // namespace

void PressedKeys::readReported()
{
    for (auto& down : recorder.takeReported())
        unmatched.push_back (down);

    while (unmatched.size() > unmatchedKept)
        unmatched.pop_front();
}

PressedKey PressedKeys::keyPressed (const juce::KeyPress& reported)
{
    readReported();
    const auto keyCode = reported.getKeyCode();

    if (! someKeypadKeyArrivesAs (keyCode))
        return { reported, reported.getTextDescription() };

    // The oldest press that comes this way is this one; the unmatched presses before it made no
    // key press here.
    for (auto down = unmatched.begin(); down != unmatched.end(); ++down)
        if (reportsAs (*down, keyCode))
        {
            lastMatched = *down;
            unmatched.erase (unmatched.begin(), down + 1);
            return as (*lastMatched, reported);
        }

    // No press of its own: the key last matched, held down and repeating (the X server reports no
    // raw press for a repeat), as long as no other key has gone down since.
    if (unmatched.empty() && lastMatched.has_value() && reportsAs (*lastMatched, keyCode))
        return as (*lastMatched, reported);

    return { reported, reported.getTextDescription() };
}

std::optional<PressedKey> PressedKeys::keyWentDown (juce::ModifierKeys held)
{
    readReported();

    // The next press that the framework may report as a keypad key; keys that cannot be one do not
    // matter here.
    const auto next = std::find_if (unmatched.begin(), unmatched.end(),
                                    [] (const talvor::KeyDown& down) { return down.keypadKey.has_value() || down.lookalikes.any(); });

    if (next == unmatched.end() || next->keypadKey != KeypadKey::digit5)
        return std::nullopt;

    // Matched now: with Num Lock the key press that follows comes without a press of its own.
    lastMatched = *next;
    unmatched.erase (unmatched.begin(), next + 1);
    const auto& five = infoOf (KeypadKey::digit5);
    return asKeypadKey (five, juce::KeyPress (five.keyCode, held, 0), held);
}

int keypadUsageOfDescription (const juce::String& keyDescription)
{
    for (const auto& info : keypadKeys())
        if (info.name == keyDescription)
            return info.usage;

    return -1;
}
} // namespace NsOrvelA
