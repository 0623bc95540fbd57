#include "map/DawFunctionLabels.h"

#include <initializer_list>

namespace NsOrvelA
{
namespace
{
/** Consecutive labelled buttons, from the first control of the run on. */
struct LabelRun
{
    int firstControl;
    std::initializer_list<const char*> labels;
};

constexpr DawLabelLayers labelLayers (std::initializer_list<LabelRun> runs)
{
    DawLabelLayers layers{};

    for (auto& label : layers)
        label = "";

    for (const auto& run : runs)
    {
        auto index = run.firstControl - firstLabelledControl;

        for (const auto* label : run.labels)
            layers[static_cast<std::size_t> (index++)] = label;
    }

    return layers;
}

// clang-format off
// Workstations 2 and 14 share their factory maps.
constexpr DawLabelLayers cubaseLabels = labelLayers ({
    { 105, {
        "Open", "Close", "Quit", "New Project", "Save", "Save As", "Quantize", "Snap On/Off", "Cut", "Copy", "Paste",
        "Delete", "Paste At Origin", "Split", "Dupli- cate", "Repeat", "Pool", "Markers", "Tempo Track", "Browser",
        "Cross- fade", "Adjust Fades", "Click", "Add Track", "Trans- port", "Mix", "Auto", "Auto Scroll"
    } },
    { 135, {
        "Group", "Ungroup", "Lock", "Unlock"
    } }
});
// clang-format on
} // namespace

// The texts are the ones the units have always shown, odd spellings included; a blank inside a
// label marks where the display cell may break it.
// clang-format off
constexpr DawLabelLayers dawFunctionLabels[dawCount] = {
    labelLayers ({ // Bitwig
        { 105, {
            "Pointer", "Time Select", "Pen", "Eraser", "Knife", "Rename", "Split", "Dupli- cate", "Copy", "Cut", "Paste",
            "Delete", "Group", "Ungroup", "Undo", "Redo", "Open", "Close", "Quit", "New", "Save", "Save As", "Zoom In",
            "Zoom Out", "Insert", "Auto Fade", "Select All", "Deselect All"
        } },
        { 135, {
            "Add Inst.", "Add Audio", "Add Effect", "Add Group"
        } }
    }),
    cubaseLabels, // Cubase
    labelLayers ({ // Pro Tools
        { 105, {
            "Shuffle", "Slip", "Spot", "Grid", "Zoomer", "Trimmer", "Selector", "Grabber", "Scrubber", "Pencil", "Smart",
            "Save", "Open Session", "Open Project", "Close Session", "Create New", "Undo", "Redo", "Open Recent",
            "Restore Session", "Select All", "Cut", "Copy", "Paste"
        } },
        { 131, {
            "Dupli- cate", "Repeat", "Shift...", "Insert Silence", "HealSepa -ration", "Consoli- date", "Mute", "Strip Silence",
            "TCE Edit>TimeSel", "Track: Bounce", "New Track", "Group Track", "Duplica-te Track", "Track: Commit",
            "Scroll To Track", "Loop Record", "QPunch", "Track Punch", "Transprt Online", "Loop Playback", "Autospot Clips",
            "Clear"
        } }
    }),
    labelLayers ({ // Logic Pro
        { 105, {
            "New", "New FromTemplate", "Open", "Close", "Main Window", "Open Mixer", "Save", "Save As", "Undo", "Redo",
            "Smart Control", "Piano Roll", "Cut", "Copy", "Paste", "Delete", "Score Editor", "Event List", "Select All",
            "Deselect All", "Rename Track", "Auto- mation", "Project Audio", "Editor", "List Editor", "Note Pads",
            "Loop Browser", "Browsers"
        } },
        { 135, {
            "Library", "Inspect -or", "Hide Mixer", "Smart Control"
        } }
    }),
    labelLayers ({ // Ableton Live
        { 105, {
            "Insert Silence", "Insert Scene", "Insert Audio", "Insert MIDI", "Insert Return", "Insert Clip", "Rename",
            "Create Fade", "Copy", "Cut", "Paste", "Dupli- cate", "Delete", "Split", "Consoli- date", "Select All", "New",
            "Open", "Close", "Quit", "Save", "Save as", "Zoom In", "Zoom Out", "Auto", "Quantize", "Zoom To", "Zoom Back",
            "Loop", "Select Loop", "Group", "UnGroup", "CH1 Act.", "CH2 Act.", "CH3 Act.", "CH4 Act.", "CH5 Act.", "CH6 Act.",
            "CH7 Act.", "CH8 Act.", "REC", "Full Screen", "Toggle Detail"
        } }
    }),
    labelLayers ({ // Reaper
        { 105, {
            "Open Project", "New Project", "Save Project", "Save Proj As", "Undo", "Redo", "Close Project", "New Proj Tab",
            "Tempo Envelope", "Quit", "Copy", "Paste", "Msater Track", "Mixer", "Trans- port", "Docker", "Select All", "Cut",
            "Screenset/Layout", "Track Manager", "FX Browser", "Toolbar Docker", "Dynamic Split", "Nudge/ SetItems",
            "Naviga -tor", "Virtual MIDI KBD", "Show/HidAllFloat", "Full Screen", "Toggle Mixer"
        } },
        { 135, {
            "Media File...", "Marker", "Track", "Src Pro-perties", "Play/ Stop", "Insert NewTrack", "Split At Cursor",
            "Split AtTime Sel", "Item Pro-perties", "Action List"
        } },
        { 147, {
            "Render", "Project Settings", "Undo History", "Prefer -ences"
        } }
    }),
    labelLayers ({ // Reason
        { 105, {
            "New", "Close", "Save", "Save as", "ViewMain Mixer", "View Racks", "Undo", "Redo", "Copy", "Paste",
            "Detach MainMixr", "Detach ViewRack", "Select All", "Cut", "Import Aud File", "Dupli -cate", "View Se- quencer"
        } },
        { 123, {
            "Create Inst.", "Create AudTrack", "Create Mix Chan", "Create Effect", "Hide Browser", "Show Tool Wnd",
            "Toggle Rack F/R", "Reduce CabClutt", "Follow Song", "SwitchToBlock Vw", "Show PianoKey", "Show EQ Wnd",
            "Enter EditMode", "Auto Group", "KeepEvnt In Clip"
        } },
        { 139, {
            "Show RecMeter"
        } }
    }),
    labelLayers ({ // Studio One
        { 105, {
            "Open", "Close", "Quit", "Insert Marker", "GotoLoop Start", "Goto Loop End", "New Song", "New Project",
            "Song Setup", "Auto- mation", "Channel Editor", "Inst. Editor", "Add Tracks", "Remove Track", "Group", "Ungroup",
            "Editor", "Console", "Bounce", "Merge Events", "Cross Fades", "Auto Fades", "Show Inst.", "Show Effects", "Copy",
            "Cut", "Paste", "Dupli -cate", "Toggle Mute", "Quantize", "Select All", "Deselect All", "Split", "Delete",
            "Duplica-te & Ins", "Move To Cursor", "Nudge Back", "Nudge", "Insert InstPart", "Reverse Audio", "Inspect -or",
            "Browser", "Undo", "Redo", "Save", "Start", "Show Loops", "Show Files"
        } }
    }),
    labelLayers ({ // FL Studio
        { 105, {
            "Open", "Save", "Save as", "Save New Version", "Recent Project", "Undo", "Cut", "Copy", "Paste", "First Empty",
            "Next Empty", "NexEmpty(no nam)", "Rename and color", "Open In ProjBrow", "Insert One", "Clone", "Delete",
            "Move Up", "Play List", "Piano Roll", "Channel Rack", "Mixer", "Browser", "Move Down", "Proect Picker",
            "Plugin Picker", "Tempo Tapper", "Touch Control", "Script Output", "CloseAll Windows", "CloseAllAddonWnd",
            "CloseAll Unfocus", "AlignAllChEditor", "Plugin Database", "Browser find...", "Project Info", "MIDI Settings",
            "Typing To Piano", "Metro- nome", "Record Precount", "Start on input", "Blend RecNotes", "MIDI Settings",
            "Enable Groups", "MultiLnkTo Ctrls"
        } }
    }),
    labelLayers ({ // Cakewalk
        { 105, {
            "Open", "Save", "Undo"
        } },
        { 111, {
            "Control Bar", "Track View", "Browser", "Inspect -or", "Console View", "PNO Roll View", "Step Se- quencer",
            "Matrix View", "Staff View", "Synth Rack"
        } },
        { 123, {
            "Markers", "Tempo", "Meter /Key", "Navi", "Surround Panner", "LoopConstruction", "Quantize", "Insert Marker",
            "Meature/Beat Now"
        } }
    }),
    labelLayers ({ // Digital Performer
        { 105, {
            "Open", "Save", "Save as", "Import Audio", "Print Window", "Quit", "Undo", "Redo", "Cut", "Copy", "Paste", "Erase",
            "Dupli- cate", "Repeat", "Merge", "Snip", "Splice", "Shift...", "HealSeperation", "Split", "Split At Counter",
            "Trim", "Select All", "Deselect All", "Trans- pose", "Quantize", "Groove Quantize", "Audition Sel.", "Click",
            "Sound- bites", "Create Tracks", "Chunks", "Tracks", "Sequence Editor", "Clips", "MIDI Editor", "Drum Editor",
            "QScribe Editor", "Mixing Board", "Effects", "Markers", "Movie", "Control Panel", "Track Selector", "Audio Monitor",
            "MIDI Monitor", "Machine Ctrl", "MidiDevc Groups"
        } }
    }),
    labelLayers ({}), // Samplitude
    labelLayers ({ // Harrison
        { 105, {
            "New", "Open", "Recent", "Save", "Snapshot", "Quit", "Cut", "Copy", "Paste", "Delete RangeSec", "Delete",
            "Split/ Seperate", "Add Track", "Import", "Property", "Forward", "Rewind", "TransitionToRoll", "Enable Record",
            "Record w/Preroll", "Record w/CountIn", "Start/ Stop", "Record Start", "Stop and Forget", "TransitionToRevs",
            "Set LoopFrom Sel", "SetPunchFrom Sel", "Punch In/Out", "Follow Range", "Auto Play", "Auto Return", "Click",
            "Follow Playhead", "ConstantPlayhead", "ExternalSync Src", "Panic/ NotesOff", "Maximise Editor", "Maximise Mixer",
            "ShowEdit-orMixer", "ShowEdit-or List", "Show Summary", "Meter Bridge", "Mixer: ShowList", "Mixer: Mixbus",
            "Mixer: Mon.Sec.", "AudioConnections", "MIDI Connections", "Location -s"
        } }
    }),
    cubaseLabels, // Nuendo
    labelLayers ({}), // Adobe Audition
    labelLayers ({}), // Tracktion
    labelLayers ({ // Ability
        { 61, {
            "Erase"
        } },
        { 81, {
            "Scrub"
        } },
        { 105, {
            "4th Glid", "8th Glid", "16th Glid", "32th Glid", "New Project"
        } },
        { 111, {
            "4th tri Glid", "8th tri Glid", "16th tri Glid", "Undo", "Cursor Up", "Redo", "Load", "Save", "Save As",
            "Cursor Left", "Cursor Down", "Cursor Right", "Jump To Top", "Jump To Measure", "Jump To End", "Esc", "Tab", "Enter"
        } }
    }),
    labelLayers ({}), // luna
};
// clang-format on

juce::String dawFunctionLabelOf (int dawId, int controlId)
{
    const auto index = controlId - firstLabelledControl;

    if (! isDawId (dawId) || index < 0 || index >= labelledControlCount)
        return {};

    return dawFunctionLabels[dawId - 1][static_cast<std::size_t> (index)];
}
} // namespace NsOrvelA
