#pragma once

#include "map/ControlEntry.h"

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** How the hotkey texts treat the key name: hotkeys drop its blanks ("page up" becomes "pageup"),
    mouse actions keep them. Any value other than hotkeyKeyMode keeps the name as it is. */
constexpr int hotkeyKeyMode = 1;
constexpr int mouseKeyMode = 3;

/** The name of a workstation function, as the editor shows it. For workstations other than 3 the
    second argument is a MIDI status nibble and only note (9) has names; for workstation 3 it is a
    control class, and code 0 of a button shows nothing. Empty outside workstations 1..18 and
    codes 0..127. */
juce::String assignmentDisplayName (int dawId, int nibbleOrClass, int code);

/** The entry of a workstation's name table for a control of a class, untrimmed; under workstation
    3 by class (HUI functions for buttons, where 0 is "(blank)", faders, knobs). */
juce::String dawControlName (int dawId, int controlClassIndex, int index);

/** The name when there is one, otherwise "CC 7", "PC 3", "PB 5" (the channel), "Note 60", or
    "Note" for a note without a number. */
juce::String midiAssignmentText (int nibble, int channel, int data, const juce::String& name);

/** The hotkey as 'cmd + ctrl + shift + alt + key', modifiers always in that order. */
juce::String hotkeyModifierText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, int mode);

/** The hotkey without blanks: 'ctrl+shift+F5'. */
juce::String hotkeyEntryText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, int mode);

/** A button caption: the name when there is one, otherwise 'ctrl+shift F5'. */
juce::String hotkeyButtonText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, const juce::String& name, int mode);

/** The display cell text of a hotkey (16 characters), the modifiers abbreviated the more of them
    are held: 'Ctrl F5', 'Ctl+Sft Tab', 'Cm+Ct+SfF12', 'CmCtSfAlF12'. */
juce::String shortHotkeyText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, const juce::String& name, int mode);

/** The text the main unit shows for a button (16 characters): a hotkey's short text, otherwise
    the entry's name fitted to the cell; an unnamed entry shows blanks. */
juce::String hotkeyCellText (const ControlEntry& entry);
} // namespace NsOrvelA
