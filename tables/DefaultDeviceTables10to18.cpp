#include "tables/DefaultDeviceTableLayout.h"

// The factory tables of workstations 10 to 13 and 15 to 18; the layout is described with noteTable.

namespace NsOrvelA::DefaultTableLayout
{
// clang-format off
// Cakewalk
constexpr DeviceTableRows cakewalkDefaultTable = noteTable (
    { 84, 85, off, 87, 88, 89, 90, 89 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, off, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Open, Save, Undo
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl, Key::z),
        // -, -, -
        emptyRow(), emptyRow(), emptyRow(),
        // Control Bar, Track View, Browser
        hotkeyRow (0, Key::c), hotkeyRow (alt, Key::digit1), hotkeyRow (0, Key::b),
        // Inspect -or, Console View, PNO Roll View
        hotkeyRow (0, Key::i), hotkeyRow (alt, Key::digit2), hotkeyRow (alt, Key::digit3),
        // Step Se- quencer, Matrix View, Staff View
        hotkeyRow (alt, Key::digit5), hotkeyRow (alt, Key::digit7), hotkeyRow (alt, Key::digit4),
        // Synth Rack, -, -
        hotkeyRow (alt, Key::digit8), emptyRow(), emptyRow(),
        // Markers, Tempo, Meter /Key
        hotkeyRow (ctrl | alt, Key::m), hotkeyRow (ctrl | alt, Key::t), hotkeyRow (ctrl | alt, Key::k),
        // Navi, Surround Panner, LoopConstruction
        hotkeyRow (ctrl | alt, Key::n), hotkeyRow (ctrl | alt, Key::p), hotkeyRow (ctrl | alt, Key::l)),
    buttonRow (
        // Quantize, Insert Marker, Meature/Beat Now
        hotkeyRow (0, Key::q), hotkeyRow (0, Key::f11), hotkeyRow (0, Key::f5)));

// Digital Performer
constexpr DeviceTableRows digitalPerformerDefaultTable = noteTable (
    { 84, 85, 86, off, off, off, off, 86 },
    notes (40, 41, 42, 43, off, 45, off, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, off, off, off, off, 101, off),
    emptyButtonRow(),
    buttonRow (
        // Open, Save, Save as
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl | shift, Key::s),
        // Import Audio, Print Window, Quit
        hotkeyRow (ctrl | shift, Key::i), hotkeyRow (ctrl, Key::p), hotkeyRow (ctrl, Key::q),
        // Undo, Redo, Cut
        hotkeyRow (ctrl, Key::z), hotkeyRow (ctrl, Key::r), hotkeyRow (ctrl, Key::x),
        // Copy, Paste, Erase
        hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v), hotkeyRow (ctrl, Key::b),
        // Dupli- cate, Repeat, Merge
        hotkeyRow (ctrl, Key::d), hotkeyRow (ctrl | alt, Key::r), hotkeyRow (ctrl, Key::m),
        // Snip, Splice, Shift...
        hotkeyRow (ctrl | shift, Key::x), hotkeyRow (ctrl | shift, Key::v), hotkeyRow (ctrl, Key::h),
        // HealSeperation, Split, Split At Counter
        hotkeyRow (ctrl | alt, Key::h), hotkeyRow (ctrl, Key::y), hotkeyRow (ctrl | shift, Key::y),
        // Trim, Select All, Deselect All
        hotkeyRow (ctrl, Key::t), hotkeyRow (ctrl, Key::a), hotkeyRow (ctrl | shift, Key::a)),
    buttonRow (
        // Trans- pose, Quantize, Groove Quantize
        hotkeyRow (ctrl, Key::digit6), hotkeyRow (ctrl, Key::digit0), hotkeyRow (ctrl | alt, Key::digit0),
        // Audition Sel., Click, Sound- bites
        hotkeyRow (alt, Key::space), hotkeyRow (0, Key::num7), hotkeyRow (shift, Key::b),
        // Create Tracks, Chunks, Tracks
        hotkeyRow (ctrl | shift, Key::t), hotkeyRow (shift, Key::c), hotkeyRow (shift, Key::t),
        // Sequence Editor, Clips, MIDI Editor
        hotkeyRow (shift, Key::s), hotkeyRow (shift, Key::l), hotkeyRow (shift, Key::g),
        // Drum Editor, QScribe Editor, Mixing Board
        hotkeyRow (shift, Key::r), hotkeyRow (shift, Key::q), hotkeyRow (shift, Key::m),
        // Effects, Markers, Movie
        hotkeyRow (shift, Key::e), hotkeyRow (shift, Key::k), hotkeyRow (shift, Key::v),
        // Control Panel, Track Selector, Audio Monitor
        hotkeyRow (shift, Key::p), hotkeyRow (shift, Key::x), hotkeyRow (shift, Key::a),
        // MIDI Monitor, Machine Ctrl, MidiDevc Groups
        hotkeyRow (shift, Key::i), hotkeyRow (shift, Key::h), hotkeyRow (shift, Key::u)));

// Samplitude
constexpr DeviceTableRows samplitudeDefaultTable = noteTable (
    { 84, 85, 86, off, off, 89, off, 86 },
    notes (40, 41, off, 43, 44, off, 51, off, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, off, 73, 74, 75, 76, 77, 78, 79, 80, 81, off, 83, 84, 85, off, off, off, 89, off, 101, off),
    emptyButtonRow(),
    emptyButtonRow(),
    emptyButtonRow());

// Harrison
constexpr DeviceTableRows harrisonDefaultTable = noteTable (
    { 84, 85, 86, off, 88, off, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, off, 88, off, 90, 101, off),
    emptyButtonRow(),
    buttonRow (
        // New, Open, Recent
        hotkeyRow (ctrl, Key::n), hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl | shift, Key::o),
        // Save, Snapshot, Quit
        hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl | shift, Key::s), hotkeyRow (ctrl, Key::q),
        // Cut, Copy, Paste
        hotkeyRow (ctrl, Key::x), hotkeyRow (ctrl, Key::c), hotkeyRow (ctrl, Key::v),
        // Delete RangeSec, Delete, Split/ Seperate
        hotkeyRow (ctrl, Key::del), hotkeyRow (0, Key::del), hotkeyRow (0, Key::s),
        // Add Track, Import, Property
        hotkeyRow (ctrl | shift, Key::n), hotkeyRow (ctrl, Key::i), hotkeyRow (ctrl | alt, Key::p),
        // Forward, Rewind, TransitionToRoll
        hotkeyRow (shift, Key::right), hotkeyRow (shift, Key::left), hotkeyRow (ctrl, Key::up),
        // Enable Record, Record w/Preroll, Record w/CountIn
        hotkeyRow (shift, Key::r), hotkeyRow (ctrl | shift, Key::space), hotkeyRow (ctrl | alt, Key::space),
        // Start/ Stop, Record Start, Stop and Forget
        hotkeyRow (0, Key::space), hotkeyRow (shift, Key::space), hotkeyRow (ctrl, Key::space)),
    buttonRow (
        // TransitionToRevs, Set LoopFrom Sel, SetPunchFrom Sel
        hotkeyRow (ctrl, Key::down), hotkeyRow (0, Key::rightBracket), hotkeyRow (0, Key::leftBracket),
        // Punch In/Out, Follow Range, Auto Play
        hotkeyRow (ctrl | alt, Key::i), hotkeyRow (ctrl | alt, Key::r), hotkeyRow (ctrl | alt, Key::a),
        // Auto Return, Click, Follow Playhead
        hotkeyRow (ctrl | alt, Key::e), hotkeyRow (ctrl | alt, Key::c), hotkeyRow (ctrl, Key::f),
        // ConstantPlayhead, ExternalSync Src, Panic/ NotesOff
        hotkeyRow (ctrl | shift, Key::f), hotkeyRow (ctrl | alt, Key::x), hotkeyRow (ctrl | alt, Key::k),
        // Maximise Editor, Maximise Mixer, ShowEdit-orMixer
        hotkeyRow (ctrl | alt, Key::f), hotkeyRow (ctrl | alt, Key::m), hotkeyRow (shift, Key::e),
        // ShowEdit-or List, Show Summary, Meter Bridge
        hotkeyRow (ctrl | alt, Key::l), hotkeyRow (ctrl | alt, Key::u), hotkeyRow (alt, Key::b),
        // Mixer: ShowList, Mixer: Mixbus, Mixer: Mon.Sec.
        hotkeyRow (ctrl | alt, Key::w), hotkeyRow (ctrl | alt, Key::b), hotkeyRow (ctrl | alt, Key::o),
        // AudioConnections, MIDI Connections, Location -s
        hotkeyRow (alt, Key::p), hotkeyRow (shift | alt, Key::p), hotkeyRow (alt, Key::l)));

// Adobe Audition
constexpr DeviceTableRows auditionDefaultTable = noteTable (
    { 84, 85, 86, off, 88, 89, 90, 86 },
    notes (off, off, 42, off, 44, off, off, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, off, 88, 89, 90, 101, off),
    emptyButtonRow(),
    emptyButtonRow(),
    emptyButtonRow());

// Tracktion
constexpr DeviceTableRows tracktionDefaultTable = noteTable (
    { 84, 85, 86, off, 88, off, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, off, 78, 79, 80, 81, 82, 83, 84, 85, off, off, 88, off, 90, 101, off),
    emptyButtonRow(),
    emptyButtonRow(),
    emptyButtonRow());

// Ability: its map erases with a key on button 61 and scrubs with one on button 81, in place of codes 73 and 101.
constexpr DeviceTableRows abilityDefaultTable = noteTable (
    { 84, 85, off, 87, 88, 89, 90, 87 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    buttonRow (
        noteRow (69), noteRow (70), noteRow (71), noteRow (72), hotkeyRow (0, Key::del) /* Erase */, noteRow (74), noteRow (75),
        noteRow (76), noteRow (77), noteRow (78), noteRow (79), noteRow (80), noteRow (81), noteRow (82), noteRow (83), noteRow (84),
        noteRow (85), emptyRow(), emptyRow(), noteRow (88), noteRow (89), noteRow (90), emptyRow(), emptyRow()),
    buttonRow (
        // Scrub
        hotkeyRow (ctrl | alt, Key::s)),
    buttonRow (
        // 4th Glid, 8th Glid, 16th Glid
        hotkeyRow (alt, Key::digit1), hotkeyRow (alt, Key::digit2), hotkeyRow (alt, Key::digit3),
        // 32th Glid, New Project, -
        hotkeyRow (alt, Key::digit4), hotkeyRow (ctrl, Key::n), emptyRow(),
        // 4th tri Glid, 8th tri Glid, 16th tri Glid
        hotkeyRow (alt, Key::digit5), hotkeyRow (alt, Key::digit6), hotkeyRow (alt, Key::digit7),
        // Undo, Cursor Up, Redo
        hotkeyRow (ctrl, Key::z), hotkeyRow (0, Key::up), hotkeyRow (ctrl, Key::y),
        // Load, Save, Save As
        hotkeyRow (ctrl, Key::o), hotkeyRow (ctrl, Key::s), hotkeyRow (ctrl | shift, Key::s),
        // Cursor Left, Cursor Down, Cursor Right
        hotkeyRow (0, Key::left), hotkeyRow (0, Key::down), hotkeyRow (0, Key::right),
        // Jump To Top, Jump To Measure, Jump To End
        hotkeyRow (ctrl, Key::home), hotkeyRow (ctrl, Key::g), hotkeyRow (ctrl, Key::end),
        // Esc, Tab, Enter
        hotkeyRow (0, Key::escape), hotkeyRow (0, Key::tab), hotkeyRow (0, Key::enter)),
    emptyButtonRow());

// luna
constexpr DeviceTableRows lunaDefaultTable = noteTable (
    { 84, 85, 86, 87, 88, 89, 90, 86 },
    notes (40, 41, 42, 43, 44, 45, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68),
    notes (69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, off, 87, 88, 89, 90, 101, off),
    emptyButtonRow(),
    emptyButtonRow(),
    emptyButtonRow());
// clang-format on
} // namespace NsOrvelA::DefaultTableLayout
