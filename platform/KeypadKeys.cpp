#include "platform/KeypadKeys.h"

// Windows has its own recorder (KeypadKeysWindows.cpp): its key messages carry the scan codes.
#if ! defined(_WIN32)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <array>
#include <bitset>

namespace talvor
{
namespace
{
/** The symbols of each keypad key, Num Lock on and off (the decimal key is a comma on some
    layouts), and the symbols of the main keys that the framework reports the same way. */
struct KeypadSymbols
{
    KeypadKey key;
    std::array<KeySym, 3> keypad;
    std::array<KeySym, 3> main;
};

constexpr std::array<KeypadSymbols, keypadKeyCount> keypadSymbols{ {
    { KeypadKey::digit0, { XK_KP_0, XK_KP_Insert, NoSymbol }, { XK_0, XK_Insert, NoSymbol } },
    { KeypadKey::digit1, { XK_KP_1, XK_KP_End, NoSymbol }, { XK_1, XK_End, NoSymbol } },
    { KeypadKey::digit2, { XK_KP_2, XK_KP_Down, NoSymbol }, { XK_2, XK_Down, NoSymbol } },
    { KeypadKey::digit3, { XK_KP_3, XK_KP_Page_Down, NoSymbol }, { XK_3, XK_Page_Down, NoSymbol } },
    { KeypadKey::digit4, { XK_KP_4, XK_KP_Left, NoSymbol }, { XK_4, XK_Left, NoSymbol } },
    { KeypadKey::digit5, { XK_KP_5, XK_KP_Begin, NoSymbol }, { XK_5, NoSymbol, NoSymbol } },
    { KeypadKey::digit6, { XK_KP_6, XK_KP_Right, NoSymbol }, { XK_6, XK_Right, NoSymbol } },
    { KeypadKey::digit7, { XK_KP_7, XK_KP_Home, NoSymbol }, { XK_7, XK_Home, NoSymbol } },
    { KeypadKey::digit8, { XK_KP_8, XK_KP_Up, NoSymbol }, { XK_8, XK_Up, NoSymbol } },
    { KeypadKey::digit9, { XK_KP_9, XK_KP_Page_Up, NoSymbol }, { XK_9, XK_Page_Up, NoSymbol } },
    { KeypadKey::enter, { XK_KP_Enter, NoSymbol, NoSymbol }, { XK_Return, NoSymbol, NoSymbol } },
    { KeypadKey::divide, { XK_KP_Divide, NoSymbol, NoSymbol }, { XK_slash, NoSymbol, NoSymbol } },
    { KeypadKey::multiply, { XK_KP_Multiply, NoSymbol, NoSymbol }, { XK_asterisk, NoSymbol, NoSymbol } },
    { KeypadKey::subtract, { XK_KP_Subtract, NoSymbol, NoSymbol }, { XK_minus, XK_hyphen, NoSymbol } },
    { KeypadKey::add, { XK_KP_Add, NoSymbol, NoSymbol }, { XK_plus, NoSymbol, NoSymbol } },
    { KeypadKey::decimalPoint, { XK_KP_Decimal, XK_KP_Separator, XK_KP_Delete }, { XK_period, XK_comma, XK_Delete } },
} };

bool has (const std::array<KeySym, 3>& symbols, KeySym symbol)
{
    for (auto s : symbols)
        if (s != NoSymbol && s == symbol)
            return true;

    return false;
}

/** What a key code stands for, from every symbol the key map gives it (shifted ones and those of
    other layout groups too: any of them may be what the framework reports). */
KeyDown keyDownOf (Display* x, KeyCode code)
{
    KeyDown down;

    for (int group = 0; group < 4; ++group)
        for (int level = 0; level < 4; ++level)
            if (const auto symbol = XkbKeycodeToKeysym (x, code, group, level); symbol != NoSymbol)
                for (const auto& [key, keypad, main] : keypadSymbols)
                {
                    if (has (keypad, symbol))
                        down.keypadKey = key;
                    else if (has (main, symbol))
                        down.lookalikes.set (static_cast<size_t> (key));
                }

    if (down.keypadKey.has_value())
        down.lookalikes.reset();

    return down;
}

using KeyCodeSet = std::bitset<256>;

/** The keys bound to a modifier (Shift, Control, the locks, Alt, the logo keys ...). */
KeyCodeSet modifierKeys (Display* x)
{
    KeyCodeSet keys;

    if (auto* map = XGetModifierMapping (x))
    {
        for (int i = 0; i < 8 * map->max_keypermod; ++i)
            keys.set (map->modifiermap[i]);

        XFreeModifiermap (map);
    }

    keys.reset (0); // the map's empty places
    return keys;
}
} // namespace

struct KeyDownRecorder::Native
{
    Display* display{ nullptr };
    int inputExtension{ 0 };
    KeyCodeSet modifiers;
};

KeyDownRecorder::KeyDownRecorder() : native (std::make_unique<Native>())
{
    // A connection of its own: the framework's one is not shared, and its events are the
    // framework's to read.
    auto* x = XOpenDisplay (nullptr);

    if (x == nullptr)
        return;

    int event = 0, error = 0, major = 2, minor = 0;

    if (! XQueryExtension (x, "XInputExtension", &native->inputExtension, &event, &error) || XIQueryVersion (x, &major, &minor) != Success)
    {
        XCloseDisplay (x);
        return;
    }

    // Raw presses go to the root window of every client that asks, before and whatever the
    // framework's window is sent; the master keyboard carries the presses of every keyboard.
    std::array<unsigned char, XIMaskLen (XI_LASTEVENT)> mask{};
    XISetMask (mask.data(), XI_RawKeyPress);
    XIEventMask selection{ XIAllMasterDevices, static_cast<int> (mask.size()), mask.data() };
    XISelectEvents (x, DefaultRootWindow (x), &selection, 1);
    XSync (x, False);

    native->display = x;
    native->modifiers = modifierKeys (x);
}

KeyDownRecorder::~KeyDownRecorder()
{
    if (native->display != nullptr)
        XCloseDisplay (native->display);
}

std::vector<KeyDown> KeyDownRecorder::takeReported()
{
    std::vector<KeyDown> reported;
    auto* x = native->display;

    if (x == nullptr)
        return reported;

    // A round trip: the server makes the raw press before it sends the framework the key event
    // being handled, so after it every press up to that one is here.
    XSync (x, False);

    while (XPending (x) > 0)
    {
        XEvent event;
        XNextEvent (x, &event);
        auto& cookie = event.xcookie;

        if (cookie.type != GenericEvent || cookie.extension != native->inputExtension || ! XGetEventData (x, &cookie))
            continue;

        if (cookie.evtype == XI_RawKeyPress)
        {
            const auto code = static_cast<const XIRawEvent*> (cookie.data)->detail;

            if (code > 0 && code < 256 && ! native->modifiers.test (static_cast<size_t> (code)))
                reported.push_back (keyDownOf (x, static_cast<KeyCode> (code)));
        }

        XFreeEventData (x, &cookie);
    }

    return reported;
}
} // namespace talvor
#endif
