// Recording key presses on Windows: each key message carries the scan code the keyboard sent and
// whether it came as an extended key, which tells the keypad's keys from the separate Home, arrow,
// Insert, Delete, Enter and "/" keys that share their scan codes, Num Lock on or off.
#include "platform/KeypadKeys.h"

#if defined(_WIN32)
#include <windows.h>

#include <utility>

namespace talvor
{
namespace
{
/** The keypad key of a scan code: the non-extended codes of the keypad block and "*", and the
    extended codes of keypad Enter and "/"; nothing for any other key. */
std::optional<KeypadKey> keypadKeyOf (unsigned scanCode, bool extended)
{
    if (extended)
    {
        if (scanCode == 0x1c)
            return KeypadKey::enter;

        if (scanCode == 0x35)
            return KeypadKey::divide;

        return std::nullopt;
    }

    switch (scanCode)
    {
        case 0x52:
            return KeypadKey::digit0;
        case 0x4f:
            return KeypadKey::digit1;
        case 0x50:
            return KeypadKey::digit2;
        case 0x51:
            return KeypadKey::digit3;
        case 0x4b:
            return KeypadKey::digit4;
        case 0x4c:
            return KeypadKey::digit5;
        case 0x4d:
            return KeypadKey::digit6;
        case 0x47:
            return KeypadKey::digit7;
        case 0x48:
            return KeypadKey::digit8;
        case 0x49:
            return KeypadKey::digit9;
        case 0x37:
            return KeypadKey::multiply;
        case 0x4a:
            return KeypadKey::subtract;
        case 0x4e:
            return KeypadKey::add;
        case 0x53:
            return KeypadKey::decimalPoint;
        default:
            return std::nullopt;
    }
}

/** The keys the framework takes for modifiers and locks, which make no key press of their own. */
bool isModifier (WPARAM virtualKey)
{
    switch (virtualKey)
    {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_CAPITAL:
        case VK_NUMLOCK:
        case VK_SCROLL:
        case VK_APPS:
            return true;
        default:
            return false;
    }
}

/** The recorder the hook reports to: a hook procedure is given nothing of its own. */
std::vector<KeyDown>* recording = nullptr;

/** Called for each key message this thread takes from its queue, just before the message is
    translated and handled. */
LRESULT CALLBACK keyMessageTaken (int code, WPARAM virtualKey, LPARAM flags)
{
    const auto bits = static_cast<unsigned long long> (flags);
    const auto goesDown = ((bits >> 31) & 1) == 0; // repeats of a held key too

    if (code == HC_ACTION && recording != nullptr && goesDown && ! isModifier (virtualKey))
    {
        const auto scanCode = static_cast<unsigned> ((bits >> 16) & 0xff);
        const auto extended = ((bits >> 24) & 1) != 0;

        // Every press is told by its own message, so no key off the keypad needs to be
        // matched by what it looks like.
        recording->push_back ({ keypadKeyOf (scanCode, extended), {} });
    }

    return CallNextHookEx (nullptr, code, virtualKey, flags);
}
} // namespace

struct KeyDownRecorder::Native
{
    std::vector<KeyDown> reported;
    std::vector<KeyDown>* previous{ nullptr };
    HHOOK hook{ nullptr };
};

KeyDownRecorder::KeyDownRecorder() : native (std::make_unique<Native>())
{
    native->previous = std::exchange (recording, &native->reported);

    // One hook reports to the newest recorder.
    if (native->previous == nullptr)
        native->hook = SetWindowsHookExW (WH_KEYBOARD, keyMessageTaken, nullptr, GetCurrentThreadId());
}

KeyDownRecorder::~KeyDownRecorder()
{
    if (native->hook != nullptr)
        UnhookWindowsHookEx (native->hook);

    recording = native->previous;
}

std::vector<KeyDown> KeyDownRecorder::takeReported() { return std::exchange (native->reported, {}); }
} // namespace talvor
#endif
