#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The MIDI output (outputs true) or input names in the system's order, without repeats or blank
    names, that pass isAcceptablePortName with the given filter and keepWindowsDuplicates =
    bootloaderDevice. Not sorted. */
juce::StringArray listMidiPorts (bool outputs, bool filtered, bool microsoftOnly);

/** listMidiPorts with each name as portDisplayName shows it; positions correspond one to one. */
juce::StringArray listMidiPortDisplayNames (bool outputs, bool filtered, bool microsoftOnly);

/** The port behind a display name: an upgrade-mode display name maps to the first upgrade-mode
    output (empty when there is none any more); any other text is itself. */
juce::String portNameFromDisplayName (const juce::String& displayName);

/** listMidiPorts, filtered, with microsoftOnly = not loose and without the Windows duplicates. */
juce::StringArray listMidiPortsInverted (bool outputs, bool loose);

/** How many of all output (or input) names contain the text, case-sensitive. */
int countMidiPortsContaining (const juce::String& text, bool outputs);

/** Position in the filtered list (microsoftOnly) of the first name containing the text; -1 when none. */
int indexOfPortContaining (const juce::String& text, bool outputs);

/** Over all outputs: the ports of units in upgrade mode and the ports of one product, apart, so
    that no count can spill into the other. */
struct UpgradePortCounts
{
    int upgradeMode = 0;
    int product = 0;
};

UpgradePortCounts countUpgradeAndProductPortsApart (int productId);

/** The same two counts packed as upgradeMode × base + product. With 16 or more ports of the
    product the packed value no longer tells the counts apart: use the counts apart instead. */
int countUpgradeAndProductPorts (int productId, int base);

/** The product's units: its ports in the filtered display list that are not Windows duplicates. */
int countPortsOfProduct (int productId);

/** The port that step 1 takes by itself in automatic mode: of the filtered display list, the
    product's port with the highest unit number, or the maker's generic port only when it belongs
    to the same product. Empty when nothing of this product fits: the user then chooses. */
juce::String automaticUpgradePortPick (int productId);
} // namespace talvor
