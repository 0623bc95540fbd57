#include "tables/DefaultDeviceTableLayout.h"

// The factory tables of workstations 1, 2 (shared with 14) and 4 to 9; the layout is described with noteTable.

namespace NsOrvelA::DefaultTableLayout
{
// clang-format off
// Bitwig
constexpr DeviceTableRows bitwigDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, off, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Pointer, Time Select, Pen
        hotkeyRow (0, Key::digit1), hotkeyRow (0, Key::digit2), hotkeyRow (0, Key::digit3),
        // Eraser, Knife, Rename
        hotkeyRow (0, Key::digit4), hotkeyRow (0, Key::digit5), hotkeyRow (ctrl, Key::r),
        // Split, Dupli- cate, Copy
        hotkeyRow (ctrl, Key::e), hotkeyRow (ctrl, Key::d), hotkeyRow (ctrl, Key::c),
        // Cut, Paste, Delete
        hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::v), hotkeyRow (0, Key::del),
        // Group, Ungroup, Undo
        hotkeyRow (ctrl, Key::g), hotkeyRow (ctrl | shift, Key::g), hotkeyRow (ctrl, Key::z),
        // Redo, Open, Close
        hotkeyRow (ctrl | shift, Key::z), hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::w),
        // Quit, New, Save
        hotkeyRow (ctrl, Key::q), hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::s),
        // Save As, Zoom In, Zoom Out
        hotkeyRow (ctrl | shift, Key::s), hotkeyRow (0, Key::equals), hotkeyRow (0, Key::minus)),
    buttonRow (
        // Insert, Auto Fade, Select All
        hotkeyRow (0, Key::insert), hotkeyRow (ctrl | shift, Key::f), hotkeyRow (ctrl, Key::a),
        // Deselect All, -, -
        hotkeyRow (ctrl | shift, Key::a), emptyRow(), emptyRow(),
        // Add Inst., Add Audio, Add Effect
        hotkeyRow (ctrl, Key::t), hotkeyRow (ctrl | shift, Key::t), hotkeyRow (ctrl | alt, Key::t),
        // Add Group
        hotkeyRow (ctrl | alt, Key::g)));

// Cubase and Nuendo
constexpr DeviceTableRows cubaseDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Open, Close, Quit
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::w), hotkeyRow (ctrl, Key::q),
        // New Project, Save, Save As
        hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl | shift, Key::s),
        // Quantize, Snap On/Off, Cut
        hotkeyRow (0, Key::q), hotkeyRow (0, Key::j), hotkeyRow (ctrl, Key::x),
        // Copy, Paste, Delete
        hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v), hotkeyRow (0, Key::del),
        // Paste At Origin, Split, Dupli- cate
        hotkeyRow (alt, Key::v), hotkeyRow (alt, Key::x), hotkeyRow (alt, Key::d),
        // Repeat, Pool, Markers
        hotkeyRow (ctrl, Key::k), hotkeyRow (ctrl, Key::p), hotkeyRow (ctrl, Key::m),
        // Tempo Track, Browser, Cross- fade
        hotkeyRow (ctrl, Key::t), hotkeyRow (ctrl, Key::b), hotkeyRow (0, Key::x),
        // Adjust Fades, Click, Add Track
        hotkeyRow (0, Key::a), hotkeyRow (0, Key::c), hotkeyRow (ctrl | shift, Key::t)),
    buttonRow (
        // Trans- port, Mix, Auto
        hotkeyRow (0, Key::f2), hotkeyRow (0, Key::f3), hotkeyRow (0, Key::f6),
        // Auto Scroll, -, -
        hotkeyRow (0, Key::f), emptyRow(), emptyRow(),
        // Group, Ungroup, Lock
        hotkeyRow (ctrl, Key::g), hotkeyRow (ctrl, Key::u), hotkeyRow (ctrl | shift, Key::l),
        // Unlock
        hotkeyRow (ctrl | shift, Key::u)));

// Logic Pro
constexpr DeviceTableRows logicDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // New, New FromTemplate, Open
        hotkeyRow (shift | cmd, Key::n), hotkeyRow (cmd, Key::n), hotkeyRow (cmd, Key::o),
        // Close, Main Window, Open Mixer
        hotkeyRow (cmd, Key::w), hotkeyRow (cmd, Key::digit1), hotkeyRow (cmd, Key::digit2),
        // Save, Save As, Undo
        hotkeyRow (cmd, Key::s), hotkeyRow (shift | cmd, Key::s), hotkeyRow (cmd, Key::z),
        // Redo, Smart Control, Piano Roll
        hotkeyRow (shift | cmd, Key::z), hotkeyRow (0, Key::b), hotkeyRow (0, Key::p),
        // Cut, Copy, Paste
        hotkeyRow (cmd, Key::x), hotkeyRow (cmd, Key::c), hotkeyRow (cmd, Key::v),
        // Delete, Score Editor, Event List
        hotkeyRow (0, Key::backspace), hotkeyRow (0, Key::n), hotkeyRow (cmd, Key::digit0),
        // Select All, Deselect All, Rename Track
        hotkeyRow (cmd, Key::a), hotkeyRow (shift | cmd, Key::a), hotkeyRow (shift, Key::enter),
        // Auto- mation, Project Audio, Editor
        hotkeyRow (0, Key::a), hotkeyRow (cmd, Key::digit8), hotkeyRow (0, Key::e)),
    buttonRow (
        // List Editor, Note Pads, Loop Browser
        hotkeyRow (0, Key::d), hotkeyRow (alt | cmd, Key::p), hotkeyRow (0, Key::o),
        // Browsers, -, -
        hotkeyRow (0, Key::f), emptyRow(), emptyRow(),
        // Library, Inspect -or, Hide Mixer
        hotkeyRow (0, Key::y), hotkeyRow (0, Key::i), hotkeyRow (0, Key::x),
        // Smart Control
        hotkeyRow (0, Key::b)));

// Ableton Live
constexpr DeviceTableRows liveDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Insert Silence, Insert Scene, Insert Audio
        hotkeyRow (ctrl, Key::i), hotkeyRow (ctrl | shift, Key::i), hotkeyRow (ctrl, Key::t),
        // Insert MIDI, Insert Return, Insert Clip
        hotkeyRow (ctrl | shift, Key::t), hotkeyRow (ctrl | alt, Key::t), hotkeyRow (ctrl | shift, Key::m),
        // Rename, Create Fade, Copy
        hotkeyRow (ctrl, Key::r), hotkeyRow (ctrl | alt, Key::f), hotkeyRow (ctrl, Key::c),
        // Cut, Paste, Dupli- cate
        hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::v), hotkeyRow (ctrl, Key::d),
        // Delete, Split, Consoli- date
        hotkeyRow (0, Key::del), hotkeyRow (ctrl, Key::e), hotkeyRow (ctrl, Key::j),
        // Select All, New, Open
        hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::o),
        // Close, Quit, Save
        hotkeyRow (ctrl, Key::w), hotkeyRow (ctrl, Key::q), hotkeyRow (ctrl, Key::s),
        // Save as, Zoom In, Zoom Out
        hotkeyRow (ctrl | shift, Key::s), hotkeyRow (0, Key::equals), hotkeyRow (0, Key::minus)),
    buttonRow (
        // Auto, Quantize, Zoom To
        hotkeyRow (0, Key::a), hotkeyRow (ctrl, Key::u), hotkeyRow (0, Key::z),
        // Zoom Back, Loop, Select Loop
        hotkeyRow (0, Key::x), hotkeyRow (ctrl, Key::l), hotkeyRow (ctrl | shift, Key::l),
        // Group, UnGroup, CH1 Act.
        hotkeyRow (ctrl, Key::g), hotkeyRow (ctrl | shift, Key::g), hotkeyRow (0, Key::f1),
        // CH2 Act., CH3 Act., CH4 Act.
        hotkeyRow (0, Key::f2), hotkeyRow (0, Key::f3), hotkeyRow (0, Key::f4),
        // CH5 Act., CH6 Act., CH7 Act.
        hotkeyRow (0, Key::f5), hotkeyRow (0, Key::f6), hotkeyRow (0, Key::f7),
        // CH8 Act., REC, Full Screen
        hotkeyRow (0, Key::f8), hotkeyRow (0, Key::f9), hotkeyRow (0, Key::f11),
        // Toggle Detail
        hotkeyRow (ctrl | alt, Key::l)));

// Reaper
constexpr DeviceTableRows reaperDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Open Project, New Project, Save Project
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::s),
        // Save Proj As, Undo, Redo
        hotkeyRow (ctrl | alt, Key::s), hotkeyRow (ctrl, Key::z), hotkeyRow (ctrl | shift, Key::z),
        // Close Project, New Proj Tab, Tempo Envelope
        hotkeyRow (ctrl, Key::f4), hotkeyRow (ctrl | alt, Key::n), hotkeyRow (shift | alt, Key::e),
        // Quit, Copy, Paste
        hotkeyRow (ctrl, Key::q), hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v),
        // Msater Track, Mixer, Trans- port
        hotkeyRow (ctrl | alt, Key::m), hotkeyRow (alt, Key::m), hotkeyRow (ctrl | alt, Key::t),
        // Docker, Select All, Cut
        hotkeyRow (alt, Key::d), hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl, Key::x),
        // Screenset/Layout, Track Manager, FX Browser
        hotkeyRow (ctrl, Key::e), hotkeyRow (ctrl | shift, Key::m), hotkeyRow (shift, Key::f),
        // Toolbar Docker, Dynamic Split, Nudge/ SetItems
        hotkeyRow (shift | alt, Key::t), hotkeyRow (0, Key::d), hotkeyRow (0, Key::n)),
    buttonRow (
        // Naviga -tor, Virtual MIDI KBD, Show/HidAllFloat
        hotkeyRow (ctrl | alt, Key::v), hotkeyRow (alt, Key::b), hotkeyRow (shift | alt, Key::w),
        // Full Screen, Toggle Mixer, -
        hotkeyRow (0, Key::f11), hotkeyRow (ctrl, Key::m), emptyRow(),
        // Media File..., Marker, Track
        hotkeyRow (0, Key::insert), hotkeyRow (0, Key::m), hotkeyRow (shift | alt, Key::n),
        // Src Pro-perties, Play/ Stop, Insert NewTrack
        hotkeyRow (ctrl, Key::f2), hotkeyRow (0, Key::space), hotkeyRow (ctrl, Key::t),
        // Split At Cursor, Split AtTime Sel, Item Pro-perties
        hotkeyRow (0, Key::s), hotkeyRow (shift, Key::s), hotkeyRow (0, Key::f2),
        // Action List, -, -
        hotkeyRow (shift, Key::slash), emptyRow(), emptyRow(),
        // Render, Project Settings, Undo History
        hotkeyRow (ctrl | alt, Key::r), hotkeyRow (alt, Key::enter), hotkeyRow (ctrl | alt, Key::z),
        // Prefer -ences
        hotkeyRow (ctrl, Key::p)));

// Reason
constexpr DeviceTableRows reasonDefaultTable = noteTable (
    { 84, 85, off, 87, 88, 89, 90, 89 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, off, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // New, Close, Save
        hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::w), hotkeyRow (ctrl, Key::s),
        // Save as, ViewMain Mixer, View Racks
        hotkeyRow (ctrl | shift, Key::s), hotkeyRow (0, Key::f5), hotkeyRow (0, Key::f6),
        // Undo, Redo, Copy
        hotkeyRow (ctrl, Key::z), hotkeyRow (ctrl, Key::y), hotkeyRow (ctrl, Key::c),
        // Paste, Detach MainMixr, Detach ViewRack
        hotkeyRow (ctrl, Key::v), hotkeyRow (alt, Key::f5), hotkeyRow (alt, Key::f6),
        // Select All, Cut, Import Aud File
        hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::i),
        // Dupli -cate, View Se- quencer, -
        hotkeyRow (ctrl, Key::d), hotkeyRow (0, Key::f7), emptyRow(),
        // Create Inst., Create AudTrack, Create Mix Chan
        hotkeyRow (ctrl | shift, Key::i), hotkeyRow (ctrl, Key::t), hotkeyRow (ctrl | shift, Key::m),
        // Create Effect, Hide Browser, Show Tool Wnd
        hotkeyRow (ctrl | alt, Key::e), hotkeyRow (0, Key::f3), hotkeyRow (0, Key::f8)),
    buttonRow (
        // Toggle Rack F/R, Reduce CabClutt, Follow Song
        hotkeyRow (0, Key::tab), hotkeyRow (ctrl, Key::k), hotkeyRow (0, Key::f),
        // SwitchToBlock Vw, Show PianoKey, Show EQ Wnd
        hotkeyRow (ctrl | shift, Key::b), hotkeyRow (0, Key::f4), hotkeyRow (ctrl | shift, Key::e),
        // Enter EditMode, Auto Group, KeepEvnt In Clip
        hotkeyRow (ctrl, Key::e), hotkeyRow (ctrl, Key::g), hotkeyRow (ctrl | alt, Key::k),
        // -, Show RecMeter
        emptyRow(), hotkeyRow (0, Key::f9)));

// Studio One
constexpr DeviceTableRows studioOneDefaultTable = noteTable (
    { 84, off, 86, 87, off, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, off, 51, off, 53, 54, 55, 56, 57, 58, 59, 60, 61, off, off, 64, 65, 66, 67, 68),
    notes (69, 70, 71, off, off, 74, 75, off, 77, 78, off, 80, 81, 82, 83, 84, off, off, 87, off, 89, 90, off, off),
    emptyButtonRow(),
    buttonRow (
        // Open, Close, Quit
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::w), hotkeyRow (ctrl, Key::q),
        // Insert Marker, GotoLoop Start, Goto Loop End
        hotkeyRow (0, Key::insert), hotkeyRow (0, Key::num1), hotkeyRow (0, Key::num2),
        // New Song, New Project, Song Setup
        hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl | shift, Key::n), hotkeyRow (ctrl | shift | alt, Key::s),
        // Auto- mation, Channel Editor, Inst. Editor
        hotkeyRow (0, Key::a), hotkeyRow (0, Key::f11), hotkeyRow (shift, Key::f11),
        // Add Tracks, Remove Track, Group
        hotkeyRow (0, Key::t), hotkeyRow (shift, Key::t), hotkeyRow (ctrl, Key::g),
        // Ungroup, Editor, Console
        hotkeyRow (ctrl | shift, Key::g), hotkeyRow (0, Key::f2), hotkeyRow (0, Key::f3),
        // Bounce, Merge Events, Cross Fades
        hotkeyRow (ctrl, Key::b), hotkeyRow (0, Key::g), hotkeyRow (0, Key::x),
        // Auto Fades, Show Inst., Show Effects
        hotkeyRow (ctrl | shift, Key::x), hotkeyRow (0, Key::f6), hotkeyRow (0, Key::f7)),
    buttonRow (
        // Copy, Cut, Paste
        hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::v),
        // Dupli -cate, Toggle Mute, Quantize
        hotkeyRow (0, Key::d), hotkeyRow (shift, Key::m), hotkeyRow (0, Key::q),
        // Select All, Deselect All, Split
        hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl | shift, Key::a), hotkeyRow (alt, Key::x),
        // Delete, Duplica-te & Ins, Move To Cursor
        hotkeyRow (0, Key::del), hotkeyRow (ctrl | alt, Key::d), hotkeyRow (ctrl | shift, Key::m),
        // Nudge Back, Nudge, Insert InstPart
        hotkeyRow (alt, Key::left), hotkeyRow (alt, Key::right), hotkeyRow (ctrl | alt, Key::i),
        // Reverse Audio, Inspect -or, Browser
        hotkeyRow (ctrl | alt, Key::r), hotkeyRow (0, Key::f4), hotkeyRow (0, Key::f5),
        // Undo, Redo, Save
        hotkeyRow (ctrl, Key::z), hotkeyRow (ctrl, Key::y), hotkeyRow (ctrl, Key::s),
        // Start, Show Loops, Show Files
        hotkeyRow (0, Key::home), hotkeyRow (0, Key::f8), hotkeyRow (0, Key::f9)));

// FL Studio
constexpr DeviceTableRows flStudioDefaultTable = noteTable (
    { 84, 85, 86, off, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, off, 88, 89, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Open, Save, Save as
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl | shift, Key::s),
        // Save New Version, Recent Project, Undo
        hotkeyRow (ctrl, Key::n), hotkeyRow (alt, Key::digit1), hotkeyRow (ctrl, Key::z),
        // Cut, Copy, Paste
        hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v),
        // First Empty, Next Empty, NexEmpty(no nam)
        hotkeyRow (shift, Key::f4), hotkeyRow (0, Key::f4), hotkeyRow (ctrl, Key::f4),
        // Rename and color, Open In ProjBrow, Insert One
        hotkeyRow (0, Key::f2), hotkeyRow (ctrl | alt, Key::f8), hotkeyRow (ctrl, Key::insert),
        // Clone, Delete, Move Up
        hotkeyRow (ctrl | shift, Key::c), hotkeyRow (ctrl, Key::del), hotkeyRow (alt, Key::up),
        // Play List, Piano Roll, Channel Rack
        hotkeyRow (0, Key::f5), hotkeyRow (0, Key::f7), hotkeyRow (0, Key::f6),
        // Mixer, Browser, Move Down
        hotkeyRow (0, Key::f9), hotkeyRow (alt, Key::f8), hotkeyRow (alt, Key::down)),
    buttonRow (
        // Proect Picker, Plugin Picker, Tempo Tapper
        hotkeyRow (shift, Key::f8), hotkeyRow (0, Key::f8), hotkeyRow (alt, Key::t),
        // Touch Control, Script Output, CloseAll Windows
        hotkeyRow (ctrl | alt, Key::t), hotkeyRow (ctrl | alt, Key::o), hotkeyRow (0, Key::f12),
        // CloseAllAddonWnd, CloseAll Unfocus, AlignAllChEditor
        hotkeyRow (ctrl, Key::f12), hotkeyRow (shift, Key::f12), hotkeyRow (ctrl | shift, Key::f12),
        // Plugin Database, Browser find..., Project Info
        hotkeyRow (ctrl | alt, Key::p), hotkeyRow (ctrl, Key::f), hotkeyRow (0, Key::f11),
        // MIDI Settings, Typing To Piano, Metro- nome
        hotkeyRow (0, Key::f10), hotkeyRow (ctrl, Key::t), hotkeyRow (ctrl, Key::m),
        // Record Precount, Start on input, Blend RecNotes
        hotkeyRow (ctrl, Key::p), hotkeyRow (ctrl, Key::i), hotkeyRow (ctrl, Key::b),
        // MIDI Settings, Enable Groups, MultiLnkTo Ctrls
        hotkeyRow (0, Key::f10), hotkeyRow (alt, Key::g), hotkeyRow (ctrl, Key::j)));
// clang-format on
} // namespace NsOrvelA::DefaultTableLayout
