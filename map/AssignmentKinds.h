#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** What a control is assigned to: the "valueType" of a control entry, by number. An entry that
    was never assigned holds "nil", which is none of these and reads as func. */
enum AssignmentKind
{
    funcAssignment = 0,
    hotkeyAssignment = 1,
    midiAssignment = 2,
    mouseAssignment = 3,
    huiAssignment = 4,
    nullAssignment = 5,
};

constexpr int assignmentKindCount = 6;

/** "func", "hotkey", "midi", "mouse", "hui", "null"; empty outside 0..5. */
juce::String assignmentTypeName (int kind);

/** The kind whose text equals the trimmed text; 0 ("func") when none does, "nil" included. */
int assignmentTypeFromName (const juce::String& text);
} // namespace NsOrvelA
