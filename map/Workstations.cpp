#include "map/Workstations.h"

#include "map/CheckedLookup.h"
#include "map/UnitModels.h"

namespace NsOrvelA
{
namespace
{
const char* const displayNames[dawCount] = {
    "Bitwig",   "Cubase",     "Pro Tools",      "Logic Pro", "Ableton Live",      "Reaper",
    "Reason",   "Studio One", "FL Studio",      "Cakewalk",  "Digital Performer", "Samplitude",
    "Harrison", "Nuendo",     "Adobe Audition", "Tracktion", "Ability",           "luna",
};

const char* const textIds[dawCount] = {
    "bitwig",    "cubase",   "pro-tools",         "logic",      "live",     "reaper", "reason",   "studio-one",
    "fl-studio", "cakewalk", "digital-performer", "samplitude", "harrison", "nuendo", "audition", "tracktion",
    "ability",   "luna",
};
} // namespace

juce::String dawDisplayName (int dawId) { return textAt (displayNames, idToIndex (dawId)); }

juce::String dawTextId (int dawId) { return textAt (textIds, idToIndex (dawId)); }
} // namespace NsOrvelA
