#include "map/ControlEntryReset.h"

#include "map/AssignmentKinds.h"
#include "map/MapIdentifiers.h"

namespace NsOrvelA
{
void resetControlEntry (ControlEntry entry)
{
    if (! entry.isValid())
        return;

    const auto kind = assignmentTypeFromName (entry.getProperty (mapIds::valueType).toString());

    if (kind != midiAssignment && kind != nullAssignment)
        entry.setProperty (mapIds::name, juce::String(), nullptr);

    entry.setProperty (mapIds::valueType, assignmentTypeName (nullAssignment), nullptr)
        .setProperty (mapIds::value, 0, nullptr)
        .setProperty (mapIds::ctrl, 0, nullptr)
        .setProperty (mapIds::shift, 0, nullptr)
        .setProperty (mapIds::alt, 0, nullptr)
        .setProperty (mapIds::cmd, 0, nullptr)
        .setProperty (mapIds::key, 0, nullptr)
        .setProperty (mapIds::keyName, juce::String(), nullptr)
        .setProperty (mapIds::type, "nil", nullptr)
        .setProperty (mapIds::chan, 0, nullptr)
        .setProperty (mapIds::msgValue, 0, nullptr)
        .setProperty (mapIds::rotate, 0, nullptr)
        .setProperty (mapIds::val1, -1, nullptr)
        .setProperty (mapIds::val2, -1, nullptr);
}
} // namespace NsOrvelA
