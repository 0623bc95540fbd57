#pragma once

#include "map/EditorHooks.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The context menu of the selected control: "Reset to default" (the factory map of the slot's
    workstation), "Remove this DAW" (the slot loses its workstation) and "Clear current button".
    Shown through the dialogs seam; the editor refreshes through its hooks. */
class ControlMenu final
{
public:
    enum Item
    {
        dismissed = 0,
        resetToDefault = 1,
        removeDaw = 2,
        clearButton = 3,
    };

    /** The menu with its three items. */
    static juce::PopupMenu makeMenu();

    /** Shows the menu, waits for the choice and carries it out. */
    static void show (EditorHooks& editor);

    /** Carries out a choice as if it had been made in the menu. */
    static void apply (EditorHooks& editor, int item);

private:
    static void resetSlotToDefault (EditorHooks& editor);
    static void removeSlotDaw (EditorHooks& editor);
    static void clearSelectedButton (EditorHooks& editor);
};
} // namespace NsOrvelA
