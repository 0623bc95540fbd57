#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** Node types and property names of the map state tree: the XML vocabulary of the map file and
    of the settings file. Shared constants, so that hot loops never build an Identifier from text. */
namespace mapIds
{
// Node types, from the root down.
inline const juce::Identifier store{ "store" };
inline const juce::Identifier model{ "model" };
inline const juce::Identifier slot{ "slot" };
inline const juce::Identifier mode{ "mode" };
inline const juce::Identifier ctl{ "ctl" };

// Properties of several levels.
inline const juce::Identifier id{ "id" };
inline const juce::Identifier current{ "current" };

// Root.
inline const juce::Identifier ver{ "ver" };

// Unit.
inline const juce::Identifier pid{ "pid" };

// Slot options.
inline const juce::Identifier daw1{ "daw1" };
inline const juce::Identifier daw2{ "daw2" };
inline const juce::Identifier daw3{ "daw3" };

// Workstation map ("mode" is both the node type and its text-id property).
inline const juce::Identifier protocol{ "protocol" };

// Control entry.
inline const juce::Identifier kind{ "kind" };
inline const juce::Identifier valueType{ "valueType" };
inline const juce::Identifier value{ "value" };
inline const juce::Identifier name{ "name" };
inline const juce::Identifier lockBy{ "lockBy" };
inline const juce::Identifier ctrl{ "ctrl" };
inline const juce::Identifier shift{ "shift" };
inline const juce::Identifier alt{ "alt" };
inline const juce::Identifier cmd{ "cmd" };
inline const juce::Identifier key{ "key" };
inline const juce::Identifier keyName{ "keyName" };
inline const juce::Identifier type{ "type" };
inline const juce::Identifier chan{ "chan" };
inline const juce::Identifier msgValue{ "msgValue" };
inline const juce::Identifier rotate{ "rotate" };
inline const juce::Identifier val1{ "val1" };
inline const juce::Identifier val2{ "val2" };
inline const juce::Identifier diyNameQ{ "diyNameQ" };
} // namespace mapIds
} // namespace NsOrvelA
