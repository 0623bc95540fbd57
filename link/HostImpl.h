#pragma once

#include "link/Host.h"

#include <juce_data_structures/juce_data_structures.h>

namespace NsOrvelA
{
/** Where the settings file lives: the folder below JUCE's common (or user) settings place. Tests
    point it at a temporary folder (an absolute path replaces the place as a whole). */
inline juce::String settingsFolderName{ "Talvor/OrvelA" };

/** The layout version of the map that the settings file must carry to be adopted. */
inline const juce::String mapLayoutVersion{ "0.23" };

/** The Host's own state: the settings store, the live tree and the selected output. */
class Host::Impl
{
public:
    Impl();

    /** Adopts the settings file's tree when it is of this layout version. */
    void loadState();

    /** Stores the live tree in the settings file; a failure says in which file and why. */
    juce::Result saveState();

    juce::ApplicationProperties settings;
    juce::ValueTree state;
    juce::String selectedOutputName;

private:
    void initSettings();
};

/** After a whole tree was adopted (a loaded map file, the settings file's tree), the shared slot
    state follows its unit 1: the workstations and options of the three slots. The selected slot
    stays when it is a slot id, else takes unit 1's selected slot when that is one, else 1. */
void adoptSlotStateOfTree (const juce::ValueTree& root);
} // namespace NsOrvelA
