#include "map/MidiKinds.h"

#include "map/CheckedLookup.h"

namespace NsOrvelA
{
namespace
{
const char* const midiKindNames[midiKindCount] = { "note", "cc", "program", "pitch" };
const char* const makeMidiTypeNames[midiKindCount] = { "Note", "CC", "Program Change", "Pitch Bend" };
constexpr int statusNibbles[midiKindCount] = { 9, 11, 12, 14 };
} // namespace

juce::String midiKindName (int kind) { return textAt (midiKindNames, kind); }

juce::String midiTypeDisplayNames (int kind) { return textAt (makeMidiTypeNames, kind); }

int midiStatusNibbles (int kind) noexcept { return lookupOr (statusNibbles, kind, 0); }

int midiKindOfStatusNibble (int nibble) noexcept
{
    for (int kind = 0; kind < midiKindCount; ++kind)
        if (statusNibbles[kind] == nibble)
            return kind;

    return -1;
}

int MidiKind::fromName (const juce::String& text)
{
    const auto name = text.trim().toLowerCase();

    for (int kind = 0; kind < midiKindCount; ++kind)
        if (name == midiKindNames[kind])
            return kind;

    return 0;
}
} // namespace NsOrvelA
