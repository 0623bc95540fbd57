#include "map/AssignmentKinds.h"

#include "map/CheckedLookup.h"

namespace NsOrvelA
{
namespace
{
const char* const assignmentTypeNames[assignmentKindCount] = { "func", "hotkey", "midi", "mouse", "hui", "null" };
} // namespace

juce::String assignmentTypeName (int kind) { return textAt (assignmentTypeNames, kind); }

int assignmentTypeFromName (const juce::String& text)
{
    const auto trimmed = text.trim();

    for (int kind = 0; kind < assignmentKindCount; ++kind)
        if (trimmed == assignmentTypeNames[kind])
            return kind;

    return funcAssignment;
}
} // namespace NsOrvelA
