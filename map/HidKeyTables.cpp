#include "map/HidKeyTables.h"

#include "map/CheckedLookup.h"

namespace NsOrvelA
{
namespace
{
const char* const displayNames[hidUsageCount] = {
    "#0",       "#1",    "#2",       "Error Undefined",
    "A",        "B",     "C",        "D", // 0..7
    "E",        "F",     "G",        "H",
    "I",        "J",     "K",        "L", // 8..15
    "M",        "N",     "O",        "P",
    "Q",        "R",     "S",        "T", // 16..23
    "U",        "V",     "W",        "X",
    "Y",        "Z",     "1",        "2", // 24..31
    "3",        "4",     "5",        "6",
    "7",        "8",     "9",        "0", // 32..39
    "Enter",    "Esc",   "Bksp",     "Tab",
    "Spacebar", "-",     "=",        "[", // 40..47
    "]",        "\\",    "#32",      ";",
    "'",        "`",     ",",        ".", // 48..55
    "/",        "#39",   "F1",       "F2",
    "F3",       "F4",    "F5",       "F6", // 56..63
    "F7",       "F8",    "F9",       "F10",
    "F11",      "F12",   "#46",      "#47", // 64..71
    "Pause",    "Ins",   "Home",     "PageUp",
    "Del",      "End",   "PageDown", "Right", // 72..79
    "Left",     "Down",  "Up",       "NumLock",
    "#54",      "*",     "Num-",     "+", // 80..87
    "#58",      "Num1",  "Num2",     "Num3",
    "Num4",     "Num5",  "Num6",     "Num7", // 88..95
    "Num8",     "Num9",  "Num0",     "#63",
    "#64",      "#65",   "#66",      "#67", // 96..103
    "F13",      "F14",   "F15",      "F16",
    "F17",      "F18",   "F19",      "F20", // 104..111
    "F21",      "F22",   "F23",      "F24",
    "Execute",  "Help",  "Menu",     "Select", // 112..119
    "Stop",     "Again", "Undo",     "Cut",
    "Copy",     "Paste", "Find",     "Mute", // 120..127
};

const char* const keyDescriptions[hidUsageCount] = {
    "",
    "#1",
    "#2",
    "Error Undefined",
    "A",
    "B",
    "C",
    "D", // 0..7
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L", // 8..15
    "M",
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T", // 16..23
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z",
    "1",
    "2", // 24..31
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "0", // 32..39
    "return",
    "escape",
    "backspace",
    "tab",
    "spacebar",
    "-",
    "=",
    "[", // 40..47
    "]",
    "\\",
    "#32",
    ";",
    "'",
    "`",
    ",",
    ".", // 48..55
    "/",
    "#39",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6", // 56..63
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12",
    "#46",
    "#47", // 64..71
    "#3",
    "insert",
    "home",
    "page up",
    "delete",
    "end",
    "page down",
    "cursor right", // 72..79
    "cursor left",
    "cursor down",
    "cursor up",
    "#53",
    "#54",
    "*",
    "numpad -",
    "+", // 80..87
    "#58",
    "numpad 1",
    "numpad 2",
    "numpad 3",
    "numpad 4",
    "numpad 5",
    "numpad 6",
    "numpad 7", // 88..95
    "numpad 8",
    "numpad 9",
    "numpad 0",
    "#63",
    "#64",
    "#65",
    "#66",
    "#67", // 96..103
    "F13",
    "F14",
    "F15",
    "F16",
    "F17",
    "F18",
    "F19",
    "F20", // 104..111
    "F21",
    "F22",
    "F23",
    "F24",
    "execute",
    "help",
    "menu",
    "select", // 112..119
    "stop",
    "again",
    "undo",
    "cut",
    "copy",
    "paste",
    "find",
    "mute", // 120..127
};
} // namespace

const char* const keyboardLayoutChars = "`1234567890-=qwertyuiop[]asdfghjkl;'\\zxcvbnm,./ ~!@#$%^&*()_+QWERTYUIOP{}ASDFGHJKL:\"|ZXCVBNM<>?";

juce::String hidUsageDisplayNames (int usageId) { return textAt (displayNames, usageId); }

juce::String hidUsageKeyDescriptions (int usageId) { return textAt (keyDescriptions, usageId); }

bool hasNonAsciiCharacter (const juce::String& text)
{
    for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        if (static_cast<juce::uint32> (*p) >= 127)
            return true;

    return false;
}
} // namespace NsOrvelA
