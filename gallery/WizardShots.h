#pragma once

#include <juce_core/juce_core.h>

namespace corvix::gallery
{
/** Writes the pictures of the firmware-upgrade wizard into the folder: its window before the
    start, after each step, while step 1 waits and step 5 writes, and the "Stopping…" that closing
    it during a step shows; and the boxes and choosers it shows. Files the shots need go into the scratch folder. Returns
    the number of pictures that could not be written. */
int writeWizardShots (const juce::File& folder, const juce::File& scratch);
} // namespace corvix::gallery
