#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** The MIDI message kinds an assignment can send, by number: note, cc, program, pitch. */
constexpr int midiKindCount = 4;

/** The stored "type" text: "note", "cc", "program", "pitch"; empty outside 0..3. */
juce::String midiKindName (int kind);

/** The text shown in lists: "Note", "CC", "Program Change", "Pitch Bend"; empty outside 0..3. */
juce::String midiTypeDisplayNames (int kind);

/** The high nibble of the kind's status byte: 9, 11, 12, 14; 0 outside 0..3. */
int midiStatusNibbles (int kind) noexcept;

/** The kind whose status nibble this is, -1 for any other nibble. */
int midiKindOfStatusNibble (int nibble) noexcept;

struct MidiKind
{
    /** The kind whose stored text equals the trimmed, lower-cased text; 0 ("note") when none. */
    static int fromName (const juce::String& text);
};
} // namespace NsOrvelA
