#include "editor/PressedKey.h"

#include "platform/KeypadKeys.h"

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
    std::vector<int> arrivesAs; // the main keys the framework reports it as, Num Lock on and off
};

/** Made when first used: the framework's key codes are not set up during static initialisation. */
const std::vector<KeypadKeyInfo>& keypadKeys()
{
    using K = juce::KeyPress;

    // The digits' keys without Num Lock, 0 to 9; keypad 5 is then no key at all.
    static const std::array<int, 10> withoutNumLock{ K::insertKey, K::endKey,  K::downKey, K::pageDownKey, K::leftKey, 0,
                                                     K::rightKey,  K::homeKey, K::upKey,   K::pageUpKey };
    static const auto keys = []
    {
        std::vector<KeypadKeyInfo> made;

        for (int digit = 0; digit <= 9; ++digit)
        {
            std::vector<int> arrivesAs{ '0' + digit };

            if (withoutNumLock[static_cast<size_t> (digit)] != 0)
                arrivesAs.push_back (withoutNumLock[static_cast<size_t> (digit)]);

            made.push_back ({ static_cast<KeypadKey> (static_cast<int> (KeypadKey::digit0) + digit), digit == 0 ? 98 : 88 + digit,
                              "numpad " + juce::String (digit), K::numberPad0 + digit, arrivesAs });
        }

        made.push_back ({ KeypadKey::enter, 88, "numpad enter", 0, { K::returnKey } });
        made.push_back ({ KeypadKey::divide, 84, "numpad /", K::numberPadDivide, { '/' } });
        made.push_back ({ KeypadKey::multiply, 85, "numpad *", K::numberPadMultiply, { '*' } });
        made.push_back ({ KeypadKey::subtract, 86, "numpad -", K::numberPadSubtract, { '-', 0xad } });
        made.push_back ({ KeypadKey::add, 87, "numpad +", K::numberPadAdd, { '+' } });
        made.push_back ({ KeypadKey::decimalPoint, 99, "numpad .", K::numberPadDecimalPoint, { '.', ',', K::deleteKey } });
        return made;
    }();

    return keys;
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
} // namespace

PressedKey pressedKey (const juce::KeyPress& reported)
{
    const auto held = talvor::heldKeypadKeys();

    if (held.any())
        for (const auto& info : keypadKeys())
            if (talvor::isHeld (held, info.key)
                && std::find (info.arrivesAs.begin(), info.arrivesAs.end(), reported.getKeyCode()) != info.arrivesAs.end())
                return asKeypadKey (info, reported, reported.getModifiers());

    return { reported, reported.getTextDescription() };
}

std::optional<PressedKey> keyDownWithoutPress (juce::ModifierKeys held)
{
    const auto& five = keypadKeys()[5];

    if (! talvor::isHeld (talvor::heldKeypadKeys(), five.key))
        return std::nullopt;

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
