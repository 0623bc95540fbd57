#include "platform/KeypadKeys.h"

#if defined(__linux__) || defined(__FreeBSD__)
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <array>
#include <memory>
#endif

namespace talvor
{
#if defined(__linux__) || defined(__FreeBSD__)
namespace
{
/** Both symbols of each keypad key, with Num Lock on and off: whichever the keyboard map has
    finds the key's code. The decimal key is a comma on some layouts. */
struct KeypadSymbols
{
    KeypadKey key;
    std::array<KeySym, 3> symbols;
};

constexpr std::array<KeypadSymbols, keypadKeyCount> keypadSymbols{ {
    { KeypadKey::digit0, { XK_KP_0, XK_KP_Insert, NoSymbol } },
    { KeypadKey::digit1, { XK_KP_1, XK_KP_End, NoSymbol } },
    { KeypadKey::digit2, { XK_KP_2, XK_KP_Down, NoSymbol } },
    { KeypadKey::digit3, { XK_KP_3, XK_KP_Page_Down, NoSymbol } },
    { KeypadKey::digit4, { XK_KP_4, XK_KP_Left, NoSymbol } },
    { KeypadKey::digit5, { XK_KP_5, XK_KP_Begin, NoSymbol } },
    { KeypadKey::digit6, { XK_KP_6, XK_KP_Right, NoSymbol } },
    { KeypadKey::digit7, { XK_KP_7, XK_KP_Home, NoSymbol } },
    { KeypadKey::digit8, { XK_KP_8, XK_KP_Up, NoSymbol } },
    { KeypadKey::digit9, { XK_KP_9, XK_KP_Page_Up, NoSymbol } },
    { KeypadKey::enter, { XK_KP_Enter, NoSymbol, NoSymbol } },
    { KeypadKey::divide, { XK_KP_Divide, NoSymbol, NoSymbol } },
    { KeypadKey::multiply, { XK_KP_Multiply, NoSymbol, NoSymbol } },
    { KeypadKey::subtract, { XK_KP_Subtract, NoSymbol, NoSymbol } },
    { KeypadKey::add, { XK_KP_Add, NoSymbol, NoSymbol } },
    { KeypadKey::decimalPoint, { XK_KP_Decimal, XK_KP_Separator, XK_KP_Delete } },
} };

struct DisplayCloser
{
    void operator() (Display* display) const { XCloseDisplay (display); }
};

/** A connection of its own to the program's display, opened on first use and kept: the framework
    does not share its own. The key map is the server's, whichever client asks. */
Display* display()
{
    static const std::unique_ptr<Display, DisplayCloser> connection{ XOpenDisplay (nullptr) };
    return connection.get();
}
} // namespace

HeldKeypadKeys heldKeypadKeys()
{
    HeldKeypadKeys held;
    auto* x = display();

    if (x == nullptr)
        return held;

    char keys[32] = {};
    XQueryKeymap (x, keys);

    const auto isDown = [&keys] (KeyCode code) { return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0; };

    for (const auto& [key, symbols] : keypadSymbols)
        for (auto symbol : symbols)
            if (symbol != NoSymbol && isDown (XKeysymToKeycode (x, symbol)))
                held.set (static_cast<size_t> (key));

    return held;
}
#else
HeldKeypadKeys heldKeypadKeys() { return {}; }
#endif
} // namespace talvor
