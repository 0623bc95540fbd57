#pragma once

#include <juce_core/juce_core.h>

namespace talvor::test
{
/** Creates the atoms that a window manager's presence leaves on the X server (WM_PROTOCOLS,
    WM_DELETE_WINDOW and their kin). The framework looks them up only if they exist when a
    program connects; without them it cannot recognise a close request. Call before starting
    the program. */
void prepareWindowManagerAtoms();

/** The titles of the top-level windows shown on the X display, as another process sees them. */
juce::StringArray shownWindowTitles();

/** Asks every shown top-level window with this title to close, as a window manager does when
    its close button is pressed; the number of windows asked. */
int requestWindowClose (const juce::String& title);
} // namespace talvor::test
