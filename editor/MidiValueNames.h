#pragma once

#include <juce_core/juce_core.h>

#include <array>

namespace NsOrvelA
{
/** The names the MIDI page shows beside each of the 128 values of a message, by MIDI kind
    (0 note, 1 cc, 2 program, 3 pitch): note names, controller names, and one shared table for
    program changes and pitch bends. */
constexpr int midiValueCount = 128;

/** " C-1", "C#-1" .. " G9": the pitch class, then the octave; a one-letter pitch class gets a
    leading blank so that the names line up. Empty outside 0..127. */
juce::String midiNoteName (int value);

/** The controller's name, "--" for controllers without one. Empty outside 0..127. */
juce::String midiControllerName (int value);

/** The names of program-change and pitch-bend values, empty until the editor fills them. */
inline std::array<juce::String, midiValueCount> programValueNames;

/** Gives every entry of programValueNames the text "---"; the editor does this when it is built. */
void fillProgramValueNames();

/** The name of a value of a MIDI kind; empty outside 0..127 or for a kind outside 0..3. */
juce::String midiValueName (int midiKind, int value);

/** Under the HUI workstation the MIDI page's third list offers eleven port bytes: 0x00, 0x01 and
    0x40 .. 0x48. */
constexpr int huiPortChoiceCount = 11;

/** The port byte at a position of that list; -1 outside it. */
int huiPortByte (int position) noexcept;

/** The position that shows a port byte: the byte itself below 0x40, else its low four bits + 2.
    Bytes that the list does not offer give a position outside it. */
int huiPortPosition (int portByte) noexcept;

/** The name of a (zone, port) pair that no HUI function has: "#" and zone * 256 + port. */
juce::String huiCustomLabel (int zone, int port);

/** "Incremental" (1) and "Numerical" (2): how a knob's turns are sent. Empty for any other id. */
juce::String rotationPatternName (int patternId);
} // namespace NsOrvelA
