#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** What a unit in firmware-upgrade mode calls its MIDI port (a part of the name). */
constexpr const char* upgradeModeName = "Talvor firmware upgrade";

/** How such a port is shown in the lists. */
constexpr const char* upgradeModeDisplayName = "Talvor firmware upgrade manager";

/** The port filter of the upgrader's lists, first rule that applies: unfiltered, only upgrade-mode
    ports; microsoftOnly, every name without "Microsoft"; then the system's own "Microsoft" ports
    and upgrade-mode ports are refused; the Windows duplicate forms "MIDIOUT? (*)"/"MIDIIN? (*)"
    pass exactly when keepWindowsDuplicates; two-word names pass; single words pass exactly when
    not keepWindowsDuplicates. Every test here ignores case. */
bool isAcceptablePortName (const juce::String& name, bool filtered, bool microsoftOnly, bool keepWindowsDuplicates);

/** True for a port of a unit in upgrade mode; in test mode outside automatic mode the maker's
    generic ports ("TALVOR*Midi*") count as well. */
bool isUpgradeModePort (const juce::String& name);

/** True when the text contains the upgrade-mode name, ignoring case. */
bool isUpgradeModeName (const juce::String& text);

/** The upgrade-mode display name for an upgrade-mode port, every other name unchanged. */
juce::String portDisplayName (const juce::String& name);

/** The number of a port among the ports of one unit: the Windows digit of "MIDIOUT2 (Orvel-A)"
    or "MIDIIN3 (Orvel-A)" (-1 when not a digit), or elsewhere a single trailing digit; 1 for
    any other name. Follows the port naming rules in force. */
int portUnitNumber (const juce::String& name);

/** The first of the names whose product id is the given one; empty when none. */
juce::String findPortForProduct (const juce::StringArray& names, int productId);

/** Of the names of the product, the one with the highest unit number (the first of equals; a name
    numbered -1 never). Without any, and when allowed, the last of the maker's generic
    "TALVOR*Midi*" ports. Empty when nothing fits. */
juce::String findUpgradePortForProduct (const juce::StringArray& names, int productId, bool allowFallback);

/** "The target device of "<product name>" is not found!" */
juce::String targetNotFoundMessage (int productId);
} // namespace talvor
