#pragma once

#include "tables/DeviceTableRow.h"

/*  What the factory tables have in common, and the pieces the per-workstation data is written
    with. Only the default-table sources include this header. */

namespace NsOrvelA::DefaultTableLayout
{
/** USB-HID keyboard usage ids, in the order of the usage table. */
// clang-format off
enum Key : int
{
    a = 0x04, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
    digit1, digit2, digit3, digit4, digit5, digit6, digit7, digit8, digit9, digit0,
    enter, escape, backspace, tab, space, minus, equals, leftBracket, rightBracket, backslash, nonUsHash, semicolon,
    quote, grave, comma, period, slash, capsLock,
    f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, printScreen, scrollLock, pause,
    insert, home, pageUp, del, end, pageDown, right, left, down, up,
    numLock, numDivide, numMultiply, numMinus, numPlus, numEnter,
    num1, num2, num3, num4, num5, num6, num7, num8, num9, num0
};
// clang-format on

constexpr int ctrl = hotkeyCtrl;
constexpr int shift = hotkeyShift;
constexpr int alt = hotkeyAlt;
constexpr int cmd = hotkeyCmd;

/** The encoder that every factory table types the cursor keys with. */
constexpr DeviceTableRow cursorKeyEncoderRow() noexcept { return twoWayHotkeyRow (0, Key::left, Key::right); }

/** In a list of function codes: the button sends nothing. */
constexpr int off = -1;

constexpr int buttonsPerRow = 24;
using ButtonRow = std::array<DeviceTableRow, buttonsPerRow>;

constexpr DeviceTableRow noteOrEmpty (int code) noexcept { return code == off ? emptyRow() : noteRow (code); }

/** One row of 24 buttons sending the note codes given, `off` for a button that sends nothing. */
template <typename... Codes>
constexpr ButtonRow notes (Codes... codes) noexcept
{
    static_assert (sizeof...(codes) == buttonsPerRow, "a row has 24 buttons");
    return { { noteOrEmpty (codes)... } };
}

/** One row of buttons from its left end; the buttons not given send nothing. */
template <typename... Rows>
constexpr ButtonRow buttonRow (Rows... rows) noexcept
{
    static_assert (sizeof...(rows) <= buttonsPerRow, "a row has 24 buttons");
    ButtonRow result{ { rows... } };

    for (auto index = sizeof...(rows); index < result.size(); ++index)
        result[index] = emptyRow();

    return result;
}

constexpr ButtonRow emptyButtonRow() noexcept { return buttonRow(); }

/** The five rows of 24 buttons, controls 33..152, own table rows 66..185. */
constexpr void placeButtonRows (DeviceTableRows& table, const ButtonRow& buttons33, const ButtonRow& buttons57, const ButtonRow& buttons81,
                                const ButtonRow& buttons105, const ButtonRow& buttons129) noexcept
{
    const ButtonRow* buttonRows[] = { &buttons33, &buttons57, &buttons81, &buttons105, &buttons129 };

    for (int line = 0; line < 5; ++line)
        for (int button = 0; button < buttonsPerRow; ++button)
            table[66 + line * buttonsPerRow + button] = (*buttonRows[line])[button];
}

/** The keys beside the transport that have no control of their own in the editor: rows 37..43
    (the workstation's codes 84..90, its marker and locator block), then row 46, the loop key
    between fast forward and stop (the workstation's loop code). */
using SideKeyCodes = std::array<int, 8>;

/** The table of a workstation that takes its functions as notes: the channel strips, bank and
    transport keys, encoders, knobs and faders that every such workstation shares, the side keys,
    and the five rows of 24 buttons (controls 33..152) of the workstation.
    The workstations lay their buttons out alike. The upper two rows carry the control-surface
    functions in code order (40..45, then 51..90); a code the workstation gives no function, and
    its loop code, whose key sits in the transport, leave the button empty; button 79 carries
    code 101 and button 80 nothing. The third row is free. The last two rows carry the
    workstation's keyboard shortcuts for the labels its factory map shows there, on a Linux or
    Windows keyboard (Logic Pro, a Mac program, with the command key); a workstation without
    labels leaves them free, so that every key it types has a name. */
constexpr DeviceTableRows noteTable (const SideKeyCodes& sideKeys, const ButtonRow& buttons33, const ButtonRow& buttons57,
                                     const ButtonRow& buttons81, const ButtonRow& buttons105, const ButtonRow& buttons129) noexcept
{
    DeviceTableRows table{};

    for (int row = 0; row < 32; ++row) // REC, SOLO, MUTE and SEL of the eight strips
        table[row] = noteRow (row);

    table[32] = noteRow (0x30); // bank and channel keys
    table[33] = noteRow (0x31);
    table[34] = noteRow (0x2E);
    table[35] = noteRow (0x2F);
    table[36] = noteRow (0x32);

    for (int key = 0; key < 7; ++key)
        table[37 + key] = noteOrEmpty (sideKeys[key]);

    table[44] = noteRow (0x5B); // rewind, fast forward, loop, stop, play, record
    table[45] = noteRow (0x5C);
    table[46] = noteOrEmpty (sideKeys[7]);
    table[47] = noteRow (0x5D);
    table[48] = noteRow (0x5E);
    table[49] = noteRow (0x5F);

    table[50] = cursorKeyEncoderRow();
    table[51] = mouseRow();
    table[52] = twoWayNoteRow (0x63, 0x62); // the cursor encoders
    table[53] = twoWayNoteRow (0x63, 0x62);
    table[54] = twoWayNoteRow (0x61, 0x60);
    table[55] = twoWayNoteRow (0x61, 0x60);
    table[56] = noteRow (0x64); // control 191, zoom, amid the cursor encoders
    table[57] = twoWayNoteRow (0x2F, 0x2E); // the bank encoder

    for (int row = 58; row < 66; ++row)
        table[row] = emptyRow();

    placeButtonRows (table, buttons33, buttons57, buttons81, buttons105, buttons129);

    for (int strip = 0; strip < 8; ++strip)
    {
        table[186 + strip] = noteRow (0x20 + strip); // knob pushes
        table[196 + strip] = controlChangeRow (1, 0x10 + strip, 0x01, 0x41); // knobs
        table[205 + strip] = noteRow (0x68 + strip); // fader touch
    }

    table[194] = noteRow (0x67); // control 162
    table[195] = noteRow (0x66); // control 161
    table[204] = controlChangeRow (1, 0x3C, 0x41, 0x01); // the jog wheel
    table[213] = noteRow (0x70); // master fader touch

    for (int fader = 0; fader < 9; ++fader)
        table[214 + fader] = pitchBendRow (fader + 1);

    table[223] = controlChangeRow (11, 0);
    return table;
}

extern const DeviceTableRows bitwigDefaultTable;
extern const DeviceTableRows cubaseDefaultTable;
extern const DeviceTableRows proToolsDefaultTable;
extern const DeviceTableRows logicDefaultTable;
extern const DeviceTableRows liveDefaultTable;
extern const DeviceTableRows reaperDefaultTable;
extern const DeviceTableRows reasonDefaultTable;
extern const DeviceTableRows studioOneDefaultTable;
extern const DeviceTableRows flStudioDefaultTable;
extern const DeviceTableRows cakewalkDefaultTable;
extern const DeviceTableRows digitalPerformerDefaultTable;
extern const DeviceTableRows samplitudeDefaultTable;
extern const DeviceTableRows harrisonDefaultTable;
extern const DeviceTableRows auditionDefaultTable;
extern const DeviceTableRows tracktionDefaultTable;
extern const DeviceTableRows abilityDefaultTable;
extern const DeviceTableRows lunaDefaultTable;
} // namespace NsOrvelA::DefaultTableLayout
