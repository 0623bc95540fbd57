#include "map/WorkstationFunctionNames.h"

#include "map/CheckedLookup.h"
#include "map/HuiCodes.h"
#include "map/TextFitting.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

#include <array>
#include <stdexcept>

namespace NsOrvelA
{
namespace
{
struct CodeName
{
    int code;
    const char* name;
};

/* The note-numbered workstations agree on the channel strips, the bank and transport keys and
   the touch sensors; each adds its own functions at the other codes. Codes 117..127 are free in
   every table. The lists are merged into full tables when the program is compiled. */
constexpr int firstFreeCode = 117;
constexpr int cellLength = cellColumns * cellRows;

// clang-format off
    constexpr CodeName sharedNames[] = {
        { 0, "REC 1" },     { 1, "REC 2" },     { 2, "REC 3" },     { 3, "REC 4" },     { 4, "REC 5" },
        { 5, "REC 6" },     { 6, "REC 7" },     { 7, "REC 8" },     { 8, "SOLO1" },     { 9, "SOLO2" },
        { 10, "SOLO3" },    { 11, "SOLO4" },    { 12, "SOLO5" },    { 13, "SOLO6" },    { 14, "SOLO7" },
        { 15, "SOLO8" },    { 16, "MUTE1" },    { 17, "MUTE2" },    { 18, "MUTE3" },    { 19, "MUTE4" },
        { 20, "MUTE5" },    { 21, "MUTE6" },    { 22, "MUTE7" },    { 23, "MUTE8" },    { 24, "SEL 1" },
        { 25, "SEL 2" },    { 26, "SEL 3" },    { 27, "SEL 4" },    { 28, "SEL 5" },    { 29, "SEL 6" },
        { 30, "SEL 7" },    { 31, "SEL 8" },    { 32, "MON 1" },    { 33, "MON 2" },    { 34, "MON 3" },
        { 35, "MON 4" },    { 36, "MON 5" },    { 37, "MON 6" },    { 38, "MON 7" },    { 39, "MON 8" },
        { 46, "<<8" },      { 47, "8>>" },      { 50, "Flip" },     { 91, "Rewind" },   { 92, "Fast Forward" },
        { 93, "Stop" },     { 94, "Play" },     { 95, "Record" },   { 96, "Up" },       { 97, "Down" },
        { 98, "Left" },     { 99, "Right" },    { 100, "Zoom" },    { 104, "Touch 1" }, { 105, "Touch 2" },
        { 106, "Touch 3" }, { 107, "Touch 4" }, { 108, "Touch 5" }, { 109, "Touch 6" }, { 110, "Touch 7" },
        { 111, "Touch 8" }, { 112, "TouchM" },
    };

    constexpr CodeName bitwigNames[] = {
        { 40, "Track" },        { 41, "Send" },       { 42, "Pan" },       { 43, "Plug-in" },       { 44, "Page Up" },
        { 45, "Page Down" },    { 48, "|<" },         { 49, ">|" },        { 51, "Toggle VU" },     { 52, "Name/ Value" },
        { 53, "SMPTE/ Beats" }, { 54, "F1" },         { 55, "F2" },        { 56, "F3" },            { 57, "F4" },
        { 58, "F5" },           { 59, "Punch In" },   { 60, "Punch Out" }, { 61, "Toggle Device" }, { 62, "Notes" },
        { 63, "Auto" },         { 64, "Devices" },    { 65, "Mixer" },     { 66, "Arrange" },       { 67, "Mix" },
        { 68, "Edit" },         { 69, "Browser" },    { 70, "Shift" },     { 71, "Option" },        { 72, "Ctrl" },
        { 73, "Alt" },          { 74, "Read / Off" }, { 75, "Write" },     { 76, "Clip" },          { 77, "Touch" },
        { 78, "Latch" },        { 80, "Save" },       { 81, "Undo" },      { 82, "Cancel" },        { 83, "Enter" },
        { 84, "Marker" },       { 85, "Tap Tempo" },  { 86, "Loop" },      { 87, "Dupli- cate" },   { 88, "Overdub" },
        { 89, "Click" },        { 90, "Groove" },     { 101, "Scrub" },    { 102, "User A" },       { 103, "User B" },
    };

    constexpr CodeName cubaseNames[] = {
        { 40, "Page Up" },       { 41, "Page Down" },     { 42, "Pan" },            { 43, "Plug-in" },       { 44, "EQ" },
        { 45, "Dyn/ Fx/Aux" },   { 48, "|<" },            { 49, ">|" },             { 51, "Edit" },          { 52, "Name/ Value" },
        { 53, "SMPTE/ Beats" },  { 54, "F1" },            { 55, "F2" },             { 56, "F3" },            { 57, "F4" },
        { 58, "F5" },            { 59, "F6" },            { 60, "F7" },             { 61, "F8" },            { 62, "Fader Group 1" },
        { 63, "Fader Group 2" }, { 64, "Fader Group 3" }, { 65, "Fader Group 4" },  { 66, "Fader Group 5" }, { 67, "Fader Group 6" },
        { 68, "Fader Group 7" }, { 69, "Fader Group 8" }, { 70, "Undo" },           { 71, "Redo" },          { 72, "Save" },
        { 73, "Revert" },        { 74, "Read" },          { 75, "Write" },          { 76, "Sends" },         { 77, "Project" },
        { 78, "Mixer" },         { 79, "Motors" },        { 80, "Inst." },          { 81, "Master" },        { 82, "Solo Defeat" },
        { 83, "Shift" },         { 84, "Transprt Left" }, { 85, "Transprt Right" }, { 86, "Loop" },          { 87, "Punch" },
        { 88, "Prev." },         { 89, "Add" },           { 90, "Next" },           { 101, "Scrub" },        { 102, "User A" },
        { 103, "User B" },       { 113, "SMPTE LED" },    { 114, "Beats LED" },
    };

    constexpr CodeName logicNames[] = {
        { 40, "Track" },        { 41, "Send" },         { 42, "Pan/ Surround" }, { 43, "Plug-in" },     { 44, "EQ" },
        { 45, "Inst." },        { 48, "|<" },           { 49, ">|" },            { 51, "Global View" }, { 52, "Name/ Value" },
        { 53, "SMPTE/ Beats" }, { 54, "F1" },           { 55, "F2" },            { 56, "F3" },          { 57, "F4" },
        { 58, "F5" },           { 59, "F6" },           { 60, "F7" },            { 61, "F8" },          { 62, "MIDI Tracks" },
        { 63, "Inputs" },       { 64, "Audio Tracks" }, { 65, "Audio Inst." },   { 66, "Aux" },         { 67, "Busses" },
        { 68, "Outputs" },      { 69, "User" },         { 70, "Shift" },         { 71, "Option" },      { 72, "Ctrl" },
        { 73, "CMD/Alt" },      { 74, "Read / Off" },   { 75, "Write" },         { 76, "Trim" },        { 77, "Touch" },
        { 78, "Latch" },        { 79, "Group" },        { 80, "Save" },          { 81, "Undo" },        { 82, "Cancel" },
        { 83, "Enter" },        { 84, "Marker" },       { 85, "Nudge" },         { 86, "Loop" },        { 87, "Drop" },
        { 88, "Replace" },      { 89, "Click" },        { 90, "Solos" },         { 101, "Scrub" },      { 102, "User A" },
        { 103, "User B" },      { 113, "SMPTE Led" },   { 114, "beats Led" },    { 115, "solo Lamp" },  { 116, "relay Clock" },
    };

    constexpr CodeName liveNames[] = {
        { 40, "I/O" },          { 41, "Send" },       { 42, "Pan" },         { 43, "Plug-in" },      { 44, "Page Up" },
        { 45, "Page Down" },    { 48, "|<" },         { 49, ">|" },          { 51, "Return Track" }, { 52, "Meter" },
        { 53, "SMPTE/ Beats" }, { 54, "F1" },         { 55, "F2" },          { 56, "F3" },           { 57, "F4" },
        { 58, "F5" },           { 59, "F6" },         { 60, "F7" },          { 61, "F8" },           { 62, "F9" },
        { 63, "F10" },          { 64, "F11" },        { 65, "F12" },         { 66, "F13" },          { 67, "F14" },
        { 68, "F15" },          { 69, "F16" },        { 70, "Shift" },       { 71, "Option" },       { 72, "Ctrl" },
        { 73, "Alt" },          { 74, "Sess/Arr" },   { 75, "Track/ Clip" }, { 76, "Undo" },         { 77, "Browser" },
        { 78, "Detail" },       { 79, "Redo" },       { 80, "BTA" },         { 81, "Draw Mode" },    { 82, "Marker" },
        { 83, "Follow" },       { 84, "<Locator" },   { 85, "Locator>" },    { 86, "Loop" },         { 87, "Punch In" },
        { 88, "Punch Out" },    { 89, "Home" },       { 90, "End" },         { 101, "Scene" },       { 102, "User A" },
        { 103, "User B" },      { 113, "SMPTE LED" }, { 114, "Beats LED" },  { 115, "Solo Lamp" },   { 116, "Relay Clock" },
    };

    constexpr CodeName reaperNames[] = {
        { 40, "Track" },         { 41, "Send" },          { 42, "Pan" },       { 43, "Plugins" },       { 44, "EQ / Action" },
        { 45, "Inst." },         { 48, "1<" },            { 49, ">1" },        { 51, "Toggle VU" },     { 52, "Name / Value" },
        { 53, "SMPTE / Beats" }, { 54, "F1" },            { 55, "F2" },        { 56, "F3" },            { 57, "F4" },
        { 58, "F5" },            { 59, "Punch In" },      { 60, "Punch Out" }, { 61, "Toggle Device" }, { 62, "Notes" },
        { 63, "Auto" },          { 64, "Devices" },       { 65, "Mixer" },     { 66, "Arrange" },       { 67, "Mix" },
        { 68, "Edit" },          { 69, "Browser" },       { 70, "Shift" },     { 71, "Option" },        { 72, "Ctrl" },
        { 73, "Alt" },           { 74, "Read" },          { 75, "Write" },     { 76, "Trim" },          { 77, "Touch" },
        { 78, "Latch" },         { 79, "Latch Preview" }, { 80, "Save" },      { 81, "Undo" },          { 82, "Cancel" },
        { 83, "Enter" },         { 84, "Marker" },        { 85, "Tap Tempo" }, { 86, "Loop" },          { 87, "Dupli- cate" },
        { 88, "Overdub" },       { 89, "Click" },         { 90, "Groove" },    { 101, "Scrub" },        { 102, "User A" },
        { 103, "User B" },
    };

    constexpr CodeName reasonNames[] = {
        { 40, "Send 1" },       { 41, "Send 2" },          { 42, "Pan" },              { 43, "Plugins" },    { 44, "EQ" },
        { 45, "DYN" },          { 48, "1<" },              { 49, ">1" },               { 51, "Edit" },       { 52, "Name/ Value" },
        { 53, "SMPTE/ Beats" }, { 54, "F1" },              { 55, "F2" },               { 56, "F3" },         { 57, "F4" },
        { 58, "F5" },           { 59, "F6" },              { 60, "F7" },               { 61, "F8" },         { 62, "A" },
        { 63, "B" },            { 64, "C" },               { 65, "D" },                { 66, "Run" },        { 67, "F14" },
        { 68, "Prev. Patch" },  { 69, "Next Patch" },      { 70, "Control" },          { 71, "Option" },     { 72, "Snapshot" },
        { 73, "Shift" },        { 74, "Read / Off" },      { 75, "Write" },            { 76, "Undo" },       { 77, "Save" },
        { 78, "Touch" },        { 79, "Redo" },            { 80, "Fader Group" },      { 81, "Clear Solo" }, { 82, "Marker" },
        { 83, "Mixer" },        { 84, "To Left Locator" }, { 85, "To Right Locator" }, { 87, "Left Pos" },   { 88, "Right Pos" },
        { 89, "Loop" },         { 90, "Home" },            { 101, "Scrub" },           { 102, "User B" },    { 103, "User A" },
    };

    constexpr CodeName studioOneNames[] = {
        { 40, "Track" },      { 41, "Sends" },         { 42, "Pan" },          { 43, "Plugins" },      { 44, "FX" },
        { 48, "1<" },         { 49, ">1" },            { 51, "Global View" },  { 53, "SMPTE/ Beats" }, { 54, "Input" },
        { 55, "track" },      { 56, "Console" },       { 57, "Open Ch." },     { 58, "+Inst" },        { 59, "+Send" },
        { 60, "Ch. Editor" }, { 61, "Toggle Window" }, { 64, "Audio Tracks" }, { 65, "Audio Inst." },  { 66, "FX Track" },
        { 67, "Buses" },      { 68, "Outputs" },       { 69, "Tracks" },       { 70, "Shift" },        { 71, "Option" },
        { 74, "Read" },       { 75, "Write" },         { 77, "Touch" },        { 78, "Latch" },        { 80, "Save" },
        { 81, "Undo" },       { 82, "Esc" },           { 83, "Enter" },        { 84, "Marker Mode" },  { 86, "Loop" },
        { 87, "Auto Punch" }, { 89, "Metro- nome" },   { 90, "Solo Defeat" },  { 102, "User A" },      { 103, "User B" },
    };

    constexpr CodeName flStudioNames[] = {
        { 40, "Pan" },         { 41, "Stereo" },       { 42, "Sends" },     { 43, "Effects" },      { 44, "EQ" },
        { 45, "Free" },        { 48, "1<" },           { 49, ">1" },        { 51, "Smooth" },       { 52, "Mode" },
        { 53, "Time Format" }, { 54, "Cut" },          { 55, "Copy" },      { 56, "Paste" },        { 57, "Insert" },
        { 58, "Delete" },      { 59, "Item Menu" },    { 60, "Undo" },      { 61, "Redo" },         { 62, "Pattern F9" },
        { 63, "Mixer F10" },   { 64, "Channel F11" },  { 65, "Tempo F12" }, { 66, "Free1" },        { 67, "Free2" },
        { 68, "Free3" },       { 69, "Free4" },        { 70, "Move" },      { 71, "Link Channel" }, { 72, "Mark" },
        { 73, "+Mark" },       { 74, "Browser" },      { 75, "Main" },      { 76, "Window" },       { 77, "IN" },
        { 78, "Out" },         { 79, "Select" },       { 80, "Save" },      { 81, "Menu" },         { 82, "Escape" },
        { 83, "Enter" },       { 84, "Shift" },        { 85, "Edison" },    { 86, "Loop" },         { 88, "3.2.1" },
        { 89, "Mode" },        { 90, "Pattern Song" }, { 101, "Scrub" },    { 102, "User A" },      { 103, "User B" },
    };

    constexpr CodeName cakewalkNames[] = {
        { 40, "Track / Bus" },   { 41, "Send" },         { 42, "Pan" },         { 43, "Plugins" },    { 44, "EQ" },
        { 45, "Comp" },          { 48, "1<" },           { 49, ">1" },          { 51, "Edit" },       { 52, "Name / Value" },
        { 53, "SMPTE / Beats" }, { 54, "F1 / Cut" },     { 55, "F2 / Copy" },   { 56, "F3 / Paste" }, { 57, "F4 / Del" },
        { 58, "F5 / Space" },    { 59, "F6 / Alt" },     { 60, "F7 / Tab" },    { 61, "F8 / Back" },  { 62, "New Audio" },
        { 63, "New MIDI" },      { 64, "Fit Tracks" },   { 65, "Fit Project" }, { 66, "OK / Enter" }, { 67, "Cancel" },
        { 68, "Next Window" },   { 69, "Close Window" }, { 70, "M1" },          { 71, "M2" },         { 72, "M3" },
        { 73, "M4" },            { 74, "Read / Off" },   { 75, "Snapshot" },    { 76, "Track" },      { 77, "Disarm" },
        { 78, "Offset" },        { 79, "Save" },         { 80, "AUX" },         { 81, "Main" },       { 82, "Undo" },
        { 83, "Redo" },          { 84, "Marker" },       { 85, "Loop" },        { 87, "punch" },      { 88, "Jog Prog" },
        { 89, "Loop On/Off" },   { 90, "Home" },         { 101, "Scrub" },      { 102, "User A" },    { 103, "User B" },
    };

    constexpr CodeName digitalPerformerNames[] = {
        { 40, "I/O" },            { 41, "Sends" },            { 42, "Pan" },         { 43, "Plugins" },    { 45, "DYN" },
        { 48, "1<" },             { 49, ">1" },               { 52, "ESC" },         { 53, "Counter" },    { 54, "Seq. Editor" },
        { 55, "Quick scribe" },   { 56, "Mixing" },           { 57, "Clip Editor" }, { 58, "New Marker" }, { 59, "Track Group" },
        { 60, "NewTrack Group" }, { 61, "TrkGroup Suspend" }, { 62, "F9" },          { 63, "F10" },        { 64, "F11" },
        { 65, "F12" },            { 66, "F13" },              { 67, "F14" },         { 68, "F15" },        { 69, "F16" },
        { 70, "Shift" },          { 71, "Control" },          { 72, "Option" },      { 73, "Command" },    { 74, "Read / Off" },
        { 75, "Touch" },          { 76, "Trim Touch" },       { 77, "Overwrite" },   { 78, "Latch" },      { 79, "Trim Latch" },
        { 80, "Save" },           { 81, "Audible Mode" },     { 82, "Undo" },        { 83, "Redo" },       { 84, "Marker" },
        { 85, "RTZ" },            { 86, "Loop" },             { 101, "Scrub" },      { 102, "User A" },    { 103, "User B" },
    };

    constexpr CodeName samplitudeNames[] = {
        { 40, "Track" },   { 41, "Aux" },          { 43, "Plug-in" },     { 44, "EQ" },      { 48, "1<" },
        { 49, ">1" },      { 51, "Mixer" },        { 53, "Timecode" },    { 54, "Marker1" }, { 55, "Marker2" },
        { 56, "Marker3" }, { 57, "Marker4" },      { 58, "Marker5" },     { 59, "Marker6" }, { 60, "Marker7" },
        { 61, "Marker8" }, { 62, "F9" },           { 63, "F10" },         { 64, "F11" },     { 65, "F12" },
        { 66, "F13" },     { 67, "Prev. Object" }, { 68, "Next Object" }, { 69, "F16" },     { 70, "Control" },
        { 71, "Option" },  { 73, "Shift" },        { 74, "Read" },        { 75, "Write" },   { 76, "Undo/ Redo" },
        { 77, "Latch" },   { 78, "Touch" },        { 79, "Trim" },        { 80, "Cancel" },  { 81, "Enter" },
        { 83, "Save" },    { 84, "Mark" },         { 85, "Object" },      { 86, "Loop" },    { 89, "Metro- nome" },
        { 101, "Scrub" },  { 102, "User A" },      { 103, "User B" },
    };

    constexpr CodeName harrisonNames[] = {
        { 40, "Track" },           { 41, "Sends" },           { 42, "Pan" },        { 43, "Plug-in" },     { 44, "EQ" },
        { 45, "Dyn" },             { 48, "1<" },              { 49, ">1" },         { 51, "Global View" }, { 52, "Escape" },
        { 53, "SMPTE/ Beats" },    { 54, "F1" },              { 55, "F2" },         { 56, "F3" },          { 57, "F4" },
        { 58, "F5" },              { 59, "F6" },              { 60, "F7" },         { 61, "F8" },          { 62, "Audio Tracks" },
        { 63, "MIDI Tracks" },     { 64, "Trigger Tracks" },  { 65, "VCA Strips" }, { 66, "Bus Strips" },  { 67, "MixBus Strips" },
        { 68, "Foldback Strips" }, { 69, "Selected Strips" }, { 70, "Shift" },      { 71, "All Touch" },   { 72, "Start Range" },
        { 73, "End Range" },       { 74, "Read" },            { 75, "Write" },      { 76, "Range" },       { 77, "Touch" },
        { 78, "Latch" },           { 79, "OFF" },             { 80, "ALL DISK" },   { 81, "ALL IN" },      { 82, "Punch" },
        { 83, "Marker" },          { 84, "Prev Mark" },       { 85, "Next Mark" },  { 86, "Loop" },        { 88, "Click On/OFF" },
        { 90, "Clear Solo" },      { 101, "Scrub" },          { 102, "User A" },    { 103, "User B" },
    };

    constexpr CodeName auditionNames[] = {
        { 42, "Pan/ Surround" }, { 44, "EQ" },         { 48, "1<" },       { 49, ">1" },            { 52, "Undo" },
        { 53, "Redo" },          { 54, "Copy" },       { 55, "Cut" },      { 56, "Paste" },         { 57, "Trim" },
        { 58, "Freq." },         { 59, "Phase" },      { 60, "Spectral" }, { 61, "Insert" },        { 62, "View" },
        { 63, "Mon Rec" },       { 64, "Cue" },        { 65, "Cue List" }, { 66, "Select All" },    { 67, "Zoom Full" },
        { 68, "Close" },         { 69, "Save" },       { 70, "Mixer" },    { 71, "Session Prop." }, { 72, "Track EQ" },
        { 73, "Organi- zer" },   { 74, "Next Block" }, { 75, "Split" },    { 76, "Trigger" },       { 77, "Remove" },
        { 78, "Metro- nome" },   { 79, "Cursor<" },    { 80, "SMTE S" },   { 81, "SMTE M" },        { 82, "Nudge<" },
        { 83, "Nudge>" },        { 84, "Play1" },      { 85, "Play2" },    { 86, "Loop" },          { 88, "Anchor L" },
        { 89, "Anchor R" },      { 90, "Disable" },    { 101, "Scrub" },   { 102, "User A" },       { 103, "User B" },
    };

    constexpr CodeName tracktionNames[] = {
        { 40, "Mark In" },  { 41, "Mark Out" }, { 42, "Snap" },     { 43, "Scroll" },   { 44, "A Read" },
        { 45, "A Write" },  { 48, "1<" },       { 49, ">1" },       { 51, "Actions" },  { 52, "Mixer" },
        { 53, "M Editor" }, { 54, "A1" },       { 55, "A2" },       { 56, "A3" },       { 57, "A4" },
        { 58, "A5" },       { 59, "A6" },       { 60, "A7" },       { 61, "A8" },       { 62, "A9" },
        { 63, "A10" },      { 64, "A11" },      { 65, "A12" },      { 66, "A13" },      { 67, "A14" },
        { 68, "A15" },      { 69, "A16" },      { 70, "Cut" },      { 71, "Copy" },     { 72, "Paste" },
        { 73, "Delete" },   { 74, "Send A" },   { 75, "Freeze" },   { 76, "Click" },    { 78, "Punch" },
        { 79, "Pan" },      { 80, "Save" },     { 81, "CL Peaks" }, { 82, "Undo" },     { 83, "Redo" },
        { 84, "Arm All" },  { 85, "Shift" },    { 86, "Loop" },     { 88, "T Editor" }, { 90, "Browser" },
        { 101, "Scrub" },   { 102, "User A" },  { 103, "User B" },
    };

    constexpr CodeName abilityNames[] = {
        { 40, "STRIP Sec" },    { 41, "SENDS Sec" },   { 42, "Pan / Send" },   { 43, "INSERTS Sec" },  { 44, "Upper" },
        { 45, "Lower" },        { 48, "1<" },          { 49, ">1" },           { 51, "Inspect-or" },   { 52, "Name / No" },
        { 53, "Time / Beats" }, { 54, "F1" },          { 55, "F2" },           { 56, "F3" },           { 57, "F4" },
        { 58, "F5" },           { 59, "F6" },          { 60, "F7" },           { 61, "F8" },           { 62, "Add A.Tr" },
        { 63, "Add MIDI Tr." }, { 64, "Add FX Tr." },  { 65, "Add GroupTr." }, { 66, "Add FolderTr" }, { 67, "Add VirtualT" },
        { 68, "Select Track" }, { 69, "Copy Track" },  { 70, "Cut" },          { 71, "Copy" },         { 72, "Paste" },
        { 73, "Delete" },       { 74, "AM Read" },     { 75, "AM Wrire" },     { 76, "Mixer1" },       { 77, "Mixer2" },
        { 78, "Mixer3" },       { 79, "Mixer4" },      { 80, "Save As" },      { 81, "Undo" },         { 82, "Load" },
        { 83, "Redo" },         { 84, "Next Marker" }, { 85, "Prev Marker" },  { 87, "Loop" },         { 88, "Click" },
        { 89, "P.In" },         { 90, "P.Out" },       { 101, "Scrub" },       { 102, "User A" },      { 103, "User B" },
        { 113, "SMPTE LED" },   { 114, "Beats LED" },  { 115, "Solo Lamp" },   { 116, "Relay Clock" },
    };

    constexpr CodeName lunaNames[] = {
        { 40, "track" },            { 41, "send" },            { 42, "pan/ surround" }, { 43, "plugins" },     { 44, "eq" },
        { 45, "inst." },            { 48, "1<" },              { 49, ">1" },            { 51, "global view" }, { 52, "Name/ Value" },
        { 53, "Min:Sec/Bar/Beat" }, { 54, "Timeline /Mixer" }, { 55, "Spill Main" },    { 56, "f3" },          { 57, "f4" },
        { 58, "f5" },               { 59, "f6" },              { 60, "f7" },            { 61, "f8" },          { 62, "midi tracks" },
        { 63, "inputs" },           { 64, "audio tracks" },    { 65, "audio inst." },   { 66, "aux" },         { 67, "busses" },
        { 68, "outputs" },          { 69, "user" },            { 70, "shift" },         { 71, "option" },      { 72, "ctrl" },
        { 73, "cmd/alt" },          { 74, "Read / Off" },      { 75, "write" },         { 76, "Trim" },        { 77, "Touch" },
        { 78, "Latch" },            { 79, "Sel. Grouping" },   { 80, "save" },          { 81, "Undo" },        { 82, "Esc" },
        { 83, "Enter" },            { 84, "Add Marker" },      { 85, "nudge" },         { 86, "loop" },        { 87, "drop" },
        { 88, "replace" },          { 89, "click" },           { 90, "CLR Solo" },      { 101, "Scrub" },      { 102, "User A" },
        { 103, "User B" },
    };

    // By HUI code.
    constexpr const char* huiFunctionNames[huiCodeCount] = {
        "(blank)",  "Stop",           "Play",            "Rewind",      "Fast Forward", "Record",
        "Loop",     "ctrl",           "Shift/ Add",      "Option",      "Undo",         "Ctrl/ Clutch",
        "Alt/CMD",  "Save",           "Mixer",           "Edit",        "Trans- port",  "Memory Location",
        "Alt View", "|<",             "<<8",             ">|",          "8>>",          "Send A",
        "Send B",   "Send C",         "Send D",          "Send E",      "Pan",          "Input",
        "Output",   "Assign",         "Default",         "Suspend",     "Flip",         "Up",
        "Right",    "Zoom",           "Left",            "Down",        "RTZ",          "End",
        "Online",   "Quick Punch",    "Prev. Roll",      "In",          "Out",          "Post Roll",
        "Enter",    "Video Universe", "BeatDete -ctive", "MIDI Merge*", "Auto",         "Paste",
        "Cut",      "Clear",          "Copy",            "Separate",    "Esc/ Cancel",  "Plug-in Assign*",
        "Bypass*",  "Compare*",       "User A",          "User B",      "touchM",       "Touch 1",
        "Touch 2",  "Touch 3",        "Touch 4",         "Touch 5",     "Touch 6",      "Touch 7",
        "Touch 8",  "SEL 1",          "SEL 2",           "SEL 3",       "SEL 4",        "SEL 5",
        "SEL 6",    "SEL 7",          "SEL 8",           "MUTE1",       "MUTE2",        "MUTE3",
        "MUTE4",    "MUTE5",          "MUTE6",           "MUTE7",       "MUTE8",        "SOLO1",
        "SOLO2",    "SOLO3",          "SOLO4",           "SOLO5",       "SOLO6",        "SOLO7",
        "SOLO8",    "REC 1",          "REC 2",           "REC 3",       "REC 4",        "REC 5",
        "REC 6",    "REC 7",          "REC 8",           "MON 1",       "MON 2",        "MON 3",
        "MON 4",    "MON 5",          "MON 6",           "MON 7",       "MON 8",        "(custom)",
    };

    constexpr const char* faderNames[huiFaderCount] = { "Volume 1", "Volume 2", "Volume 3", "Volume 4", "Volume 5",
                                                        "Volume 6", "Volume 7", "Volume 8", "volumeM" };
    constexpr const char* knobNames[huiKnobCount] = { "Pan 1", "Pan 2", "Pan 3", "Pan 4", "Pan 5", "Pan 6", "Pan 7", "Pan 8" };
// clang-format on

using NameTable = std::array<const char*, functionCodeCount>;

constexpr bool fitsOneCell (const char* name)
{
    int length = 0;

    while (name[length] != 0)
        ++length;

    return length <= cellLength;
}

constexpr void put (NameTable& table, const CodeName& entry)
{
    // A throw here stops the compilation: a code out of range, given twice or a name too long.
    if (entry.code < 0 || entry.code >= firstFreeCode || table[(size_t) entry.code][0] != 0 || ! fitsOneCell (entry.name))
        throw std::logic_error ("bad function-name entry");

    table[(size_t) entry.code] = entry.name;
}

template <size_t count>
constexpr bool allFitOneCell (const char* const (&names)[count])
{
    for (const auto* name : names)
        if (! fitsOneCell (name))
            return false;

    return true;
}

static_assert (allFitOneCell (huiFunctionNames) && allFitOneCell (faderNames) && allFitOneCell (knobNames));

template <size_t count>
constexpr NameTable withSharedNames (const CodeName (&ownNames)[count])
{
    NameTable table{};

    for (auto& name : table)
        name = "";

    for (const auto& entry : sharedNames)
        put (table, entry);

    for (const auto& entry : ownNames)
        put (table, entry);

    return table;
}

constexpr NameTable bitwigTable = withSharedNames (bitwigNames);
constexpr NameTable cubaseTable = withSharedNames (cubaseNames);
constexpr NameTable logicTable = withSharedNames (logicNames);
constexpr NameTable liveTable = withSharedNames (liveNames);
constexpr NameTable reaperTable = withSharedNames (reaperNames);
constexpr NameTable reasonTable = withSharedNames (reasonNames);
constexpr NameTable studioOneTable = withSharedNames (studioOneNames);
constexpr NameTable flStudioTable = withSharedNames (flStudioNames);
constexpr NameTable cakewalkTable = withSharedNames (cakewalkNames);
constexpr NameTable digitalPerformerTable = withSharedNames (digitalPerformerNames);
constexpr NameTable samplitudeTable = withSharedNames (samplitudeNames);
constexpr NameTable harrisonTable = withSharedNames (harrisonNames);
constexpr NameTable auditionTable = withSharedNames (auditionNames);
constexpr NameTable tracktionTable = withSharedNames (tracktionNames);
constexpr NameTable abilityTable = withSharedNames (abilityNames);
constexpr NameTable lunaTable = withSharedNames (lunaNames);

// By workstation id - 1. The HUI workstation has no note table; Nuendo shares Cubase's.
constexpr const NameTable* noteTables[dawCount] = {
    &bitwigTable,           &cubaseTable,     nullptr,         &logicTable,    &liveTable,
    &reaperTable,           &reasonTable,     &studioOneTable, &flStudioTable, &cakewalkTable,
    &digitalPerformerTable, &samplitudeTable, &harrisonTable,  &cubaseTable,   &auditionTable,
    &tracktionTable,        &abilityTable,    &lunaTable,
};
} // namespace

juce::String workstationFunctionNames (int dawId, int code)
{
    if (isHuiDaw (dawId))
        return textAt (huiFunctionNames, code);

    const auto* table = lookupOr (noteTables, idToIndex (dawId), static_cast<const NameTable*> (nullptr));

    if (table == nullptr || code < 0 || code >= functionCodeCount)
        return {};

    return (*table)[(size_t) code];
}

juce::String huiFaderNames (int index) { return textAt (faderNames, index); }

juce::String huiKnobNames (int index) { return textAt (knobNames, index); }
} // namespace NsOrvelA
