#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor
{
/** Runs a chooser in a modal dialog through the dialogs seam, as both of the wizard's choosers
    are shown: centred on the given component, closed by Escape, with the native title bar, not
    resizable, the chooser kept by the caller. Returns the value the run ended with: 1 when the
    chooser accepted, 0 when the dialog was cancelled or closed. */
int runChooserDialog (const juce::String& title, juce::Component& chooser, juce::Component* centreAround);

/** Ends the run of the dialog around a chooser: accepted ends it with 1; otherwise the dialog's
    close button is pressed, which ends it with 0. Nothing happens outside a dialog. */
void endChooserDialog (juce::Component& chooser, bool accepted);
} // namespace talvor
