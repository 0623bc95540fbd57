#include "editor/ControlMenu.h"

#include "editor/PageEdits.h"
#include "link/Host.h"
#include "map/ControlEntryReset.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"
#include "tables/DefaultMaps.h"
#include "ui/Dialogs.h"

namespace NsOrvelA
{
juce::PopupMenu ControlMenu::makeMenu()
{
    juce::PopupMenu menu;
    menu.addItem (resetToDefault, "Reset to default");
    menu.addItem (removeDaw, "Remove this DAW");
    menu.addItem (clearButton, "Clear current button");
    return menu;
}

void ControlMenu::show (EditorHooks& editor) { apply (editor, talvor::dialogs().showPopupMenu (makeMenu())); }

void ControlMenu::apply (EditorHooks& editor, int item)
{
    if (pageEdits::host() == nullptr)
        return;

    switch (item)
    {
        case resetToDefault:
            resetSlotToDefault (editor);
            break;
        case removeDaw:
            removeSlotDaw (editor);
            break;
        case clearButton:
            clearSelectedButton (editor);
            break;
        default:
            break;
    }
}

void ControlMenu::resetSlotToDefault (EditorHooks& editor)
{
    auto state = pageEdits::host()->getStateTree();
    applyControlTable (state);
    editor.refreshFromModel();
    editor.refreshAllPanels();

    if (isSlotId (currentSlotId) && isDawId (slotDawIds[static_cast<size_t> (currentSlotId - 1)]))
        pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
}

void ControlMenu::removeSlotDaw (EditorHooks& editor)
{
    const auto state = pageEdits::host()->getStateTree();
    const auto slotId = state.currentSlotId();

    if (! isSlotId (slotId))
        return;

    const auto slotIndex = static_cast<size_t> (slotId - 1);
    state.slotNode (slotId).setProperty (mapIds::current, 0, nullptr);

    const auto unitIndex = static_cast<int> (state.deviceNode().getProperty (mapIds::id, 0)) - 1;

    if (unitIndex >= 0 && unitIndex < unitCount)
        slotSignatures[static_cast<size_t> (unitIndex)][slotIndex] = 0;

    if (isOrvelA (currentModelId) || slotDawIds[slotIndex] <= 0)
        slotDawIds[slotIndex] = 0;

    editor.refreshFromModel();
    editor.refreshAllPanels();

    // An extender's slot keeps the workstation the editor names for it (the refresh writes it back);
    // edits of that slot still waiting for upload must then still reach the unit.
    if (state.slotDawId (slotId) == 0)
        slotDirty[slotIndex] = 0;
}

void ControlMenu::clearSelectedButton (EditorHooks& editor)
{
    const auto entry = pageEdits::editableEntry();

    if (! entry.isValid())
        return;

    const auto caption = currentControl->makeCaption();
    resetControlEntry (entry);
    pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
    editor.passTextToFuncPage (caption, true);
    editor.refreshFromModel();
    editor.refreshAllPanels();
}
} // namespace NsOrvelA
