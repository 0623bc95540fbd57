#include "tables/DefaultDeviceTableLayout.h"

/*  The factory table of Pro Tools, the workstation driven through HUI: every key presses a HUI
    zone and port, the knobs and faders are HUI knobs and faders. */

namespace NsOrvelA::DefaultTableLayout
{
namespace
{
// clang-format off
/** The HUI keys the table uses, as (zone, port) of the HUI code table. */
namespace Hui
{
constexpr HuiZonePort stop { 14, 67 }, play { 14, 68 }, rewind { 14, 65 }, fastForward { 14, 66 }, record { 14, 69 };
constexpr HuiZonePort returnToZero { 15, 64 }, end { 15, 65 }, online { 15, 66 }, loop { 15, 67 }, quickPunch { 15, 68 };
constexpr HuiZonePort ctrl { 8, 64 }, shiftAdd { 8, 65 }, option { 8, 66 }, undo { 8, 67 }, ctrlClutch { 8, 68 },
                      altCmd { 8, 69 }, save { 8, 71 };
constexpr HuiZonePort mixer { 9, 64 }, edit { 9, 65 }, transport { 9, 66 }, memoryLocation { 9, 67 }, altView { 9, 69 };
constexpr HuiZonePort channelLeft { 10, 64 }, bankLeft { 10, 65 }, channelRight { 10, 66 }, bankRight { 10, 67 };
constexpr HuiZonePort sendA { 11, 71 }, sendB { 11, 70 }, sendC { 11, 69 }, sendD { 11, 68 }, sendE { 11, 67 },
                      pan { 11, 66 }, input { 11, 65 }, output { 11, 64 };
constexpr HuiZonePort assign { 12, 64 }, defaults { 12, 65 }, suspend { 12, 66 }, flip { 12, 67 };
constexpr HuiZonePort up { 13, 64 }, right { 13, 65 }, zoom { 13, 66 }, left { 13, 67 }, down { 13, 68 };
constexpr HuiZonePort preRoll { 16, 65 }, in { 16, 66 }, out { 16, 67 }, postRoll { 16, 68 };
constexpr HuiZonePort enter { 20, 64 }, videoUniverse { 21, 64 }, beatDetective { 21, 65 }, midiMerge { 21, 66 },
                      autoMode { 25, 66 };
constexpr HuiZonePort paste { 26, 64 }, cut { 26, 65 }, clear { 26, 67 }, copy { 26, 68 }, separate { 26, 69 },
                      escCancel { 27, 71 };
constexpr HuiZonePort pluginAssign { 28, 65 }, bypass { 28, 70 }, compare { 28, 71 };
constexpr HuiZonePort userA { 29, 0 }, userB { 29, 1 }, masterTouch { 0, 0 };

// Fixed keys whose function the HUI code table does not list: the map names them itself.
constexpr HuiZonePort insertParam { 28, 64 }, scrub { 13, 69 };

// The ports of a channel strip's keys; the zone is the strip.
constexpr int touch = 64, select = 65, mute = 66, solo = 67, knobSelect = 69, recordArm = 71;
} // namespace Hui
// clang-format on

constexpr DeviceTableRow hui (HuiZonePort zonePort) noexcept { return huiButtonRow (zonePort); }
constexpr DeviceTableRow stripKey (int strip, int port) noexcept { return huiButtonRow ({ strip, port }); }

/** The Plug-in key of the HUI plug-in section: a plain row, so that the key keeps its fixed
    function and the map names it by its label. */
constexpr DeviceTableRow pluginKeyRow() noexcept { return zeroRow(); }

// clang-format off
constexpr ButtonRow buttons33 = buttonRow (
    hui (Hui::pan), pluginKeyRow(), hui (Hui::pluginAssign), hui (Hui::compare), hui (Hui::bypass), hui (Hui::sendA),
    hui (Hui::sendB), hui (Hui::sendC), hui (Hui::sendD), hui (Hui::sendE), hui (Hui::input), hui (Hui::output),
    hui (Hui::assign), hui (Hui::insertParam), hui (Hui::defaults), hui (Hui::suspend), hui (Hui::autoMode), hui (Hui::mixer),
    hui (Hui::edit), hui (Hui::transport), hui (Hui::memoryLocation), hui (Hui::altView), hui (Hui::videoUniverse),
    hui (Hui::beatDetective));

constexpr ButtonRow buttons57 = buttonRow (
    hui (Hui::ctrl), hui (Hui::shiftAdd), hui (Hui::option), hui (Hui::ctrlClutch), hui (Hui::altCmd), hui (Hui::undo),
    hui (Hui::save), hui (Hui::escCancel), hui (Hui::enter), hui (Hui::cut), hui (Hui::copy), hui (Hui::paste),
    hui (Hui::clear), hui (Hui::separate), hui (Hui::returnToZero), hui (Hui::end), hui (Hui::online), hui (Hui::scrub),
    hui (Hui::quickPunch), hui (Hui::preRoll), hui (Hui::in), hui (Hui::out), hui (Hui::postRoll), hui (Hui::midiMerge));

constexpr ButtonRow buttons81 = buttonRow (hui (Hui::up), hui (Hui::down), hui (Hui::left), hui (Hui::right));

constexpr ButtonRow buttons105 = buttonRow (
    // Shuffle, Slip, Spot, Grid
    hotkeyRow (0, Key::f1), hotkeyRow (0, Key::f2), hotkeyRow (0, Key::f3), hotkeyRow (0, Key::f4),
    // Zoomer, Trimmer, Selector, Grabber
    hotkeyRow (0, Key::f5), hotkeyRow (0, Key::f6), hotkeyRow (0, Key::f7), hotkeyRow (0, Key::f8),
    // Scrubber, Pencil, Smart, Save
    hotkeyRow (0, Key::f9), hotkeyRow (0, Key::f10), hotkeyRow (ctrl, Key::digit7), hotkeyRow (ctrl, Key::s),
    // Open Session, Open Project, Close Session, Create New
    hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl | alt, Key::o), hotkeyRow (ctrl | shift, Key::w), hotkeyRow (ctrl, Key::n),
    // Undo, Redo, Open Recent, Restore Session
    hotkeyRow (ctrl, Key::z), hotkeyRow (ctrl | shift, Key::z), hotkeyRow (ctrl | shift, Key::o), hotkeyRow (ctrl | alt, Key::r),
    // Select All, Cut, Copy, Paste
    hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v));

constexpr ButtonRow buttons129 = buttonRow (
    emptyRow(), emptyRow(),
    // Duplicate, Repeat, Shift..., Insert Silence
    hotkeyRow (ctrl, Key::d), hotkeyRow (alt, Key::r), hotkeyRow (alt, Key::h), hotkeyRow (ctrl | shift, Key::e),
    // Heal Separation, Consolidate, Mute, Strip Silence
    hotkeyRow (ctrl, Key::h), hotkeyRow (shift | alt, Key::digit3), hotkeyRow (ctrl, Key::m), hotkeyRow (ctrl, Key::u),
    // TCE Edit to Timeline Selection, Track: Bounce, New Track, Group Track
    hotkeyRow (shift | alt, Key::u), hotkeyRow (ctrl | shift | alt, Key::b), hotkeyRow (ctrl | shift, Key::n), hotkeyRow (ctrl, Key::g),
    // Duplicate Track, Track: Commit, Scroll To Track, Loop Record
    hotkeyRow (shift | alt, Key::d), hotkeyRow (ctrl | shift | alt, Key::c), hotkeyRow (ctrl | alt, Key::f), hotkeyRow (alt, Key::l),
    // QPunch, Track Punch, Transport Online, Loop Playback
    hotkeyRow (ctrl | shift, Key::p), hotkeyRow (ctrl | shift, Key::t), hotkeyRow (ctrl, Key::j), hotkeyRow (ctrl | shift, Key::l),
    // Autospot Clips, Clear
    hotkeyRow (ctrl | alt, Key::p), hotkeyRow (ctrl, Key::b));
// clang-format on

constexpr DeviceTableRows makeProToolsTable() noexcept
{
    DeviceTableRows table{};

    for (int strip = 0; strip < 8; ++strip)
    {
        table[strip] = stripKey (strip, Hui::recordArm);
        table[8 + strip] = stripKey (strip, Hui::solo);
        table[16 + strip] = stripKey (strip, Hui::mute);
        table[24 + strip] = stripKey (strip, Hui::select);
        table[186 + strip] = stripKey (strip, Hui::knobSelect);
        table[196 + strip] = huiKnobRow (strip);
        table[205 + strip] = stripKey (strip, Hui::touch);
    }

    table[32] = hui (Hui::channelLeft);
    table[33] = hui (Hui::channelRight);
    table[34] = hui (Hui::bankLeft);
    table[35] = hui (Hui::bankRight);
    table[36] = hui (Hui::flip);

    // The side keys: locate, loop, drop in and out.
    table[37] = hui (Hui::memoryLocation);
    table[38] = emptyRow();
    table[39] = hui (Hui::loop);
    table[40] = hui (Hui::in);
    table[41] = hui (Hui::out);
    table[42] = emptyRow();
    table[43] = emptyRow();

    table[44] = hui (Hui::rewind);
    table[45] = hui (Hui::fastForward);
    table[46] = hui (Hui::loop);
    table[47] = hui (Hui::stop);
    table[48] = hui (Hui::play);
    table[49] = hui (Hui::record);

    table[50] = cursorKeyEncoderRow();
    table[51] = mouseRow();

    // A HUI key press has no way back, so the cursor and bank encoders send nothing here; the
    // cursor keys sit on buttons 81..84 instead.
    for (int row = 52; row < 66; ++row)
        table[row] = emptyRow();

    table[56] = hui (Hui::zoom); // control 191

    placeButtonRows (table, buttons33, buttons57, buttons81, buttons105, buttons129);

    table[194] = hui (Hui::userB); // control 162
    table[195] = hui (Hui::userA); // control 161
    table[204] = emptyRow(); // control 171 is a key under HUI, and HUI has no jog wheel key
    table[213] = hui (Hui::masterTouch);

    for (int fader = 0; fader < 9; ++fader)
        table[214 + fader] = huiFaderRow (fader);

    table[223] = huiFaderRow (8);
    return table;
}
} // namespace

constexpr DeviceTableRows proToolsDefaultTable = makeProToolsTable();
} // namespace NsOrvelA::DefaultTableLayout
