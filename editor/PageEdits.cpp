#include "editor/PageEdits.h"

#include "editor/MappableButton.h"
#include "link/Host.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "map/Workstations.h"

namespace NsOrvelA::pageEdits
{
Host* host() noexcept { return hostInstance; }

MappableButton* selectedButton() noexcept { return dynamic_cast<MappableButton*> (currentControl); }

int selectedControlId() noexcept { return currentControl != nullptr ? currentControl->getControlNumber() : 0; }

ControlEntry selectedEntry()
{
    if (currentControl == nullptr || hostInstance == nullptr)
        return {};

    return hostInstance->getStateTree().controlEntryInCurrentSlot (currentControl->getControlNumber());
}

ControlEntry editableEntry() { return selectedIsFixedHuiButton() ? ControlEntry() : selectedEntry(); }

int selectedSlotId() { return hostInstance != nullptr ? hostInstance->getStateTree().currentSlotId() : 0; }

int currentDawId() { return hostInstance != nullptr ? hostInstance->getStateTree().currentDawId() : 0; }

bool selectedIsFixedHuiButton()
{
    return currentControl != nullptr && hostInstance != nullptr && hostInstance->isFixedHuiButton (currentControl->getControlNumber());
}

void markSlotForUpload (int slotId) noexcept
{
    if (isSlotId (slotId))
        slotDirty[static_cast<size_t> (slotId - 1)] = 1;
}

namespace
{
/** The target takes the source's assignment, every property but its own "id" and "lockBy" (an
    entry without a link gains none). */
void copyAssignmentKeepingLink (const ControlEntry& source, ControlEntry& target)
{
    const auto hadLink = target.hasProperty (mapIds::lockBy);
    const auto link = target.getProperty (mapIds::lockBy);
    copyEntryKeepingId (source, target);

    if (hadLink)
        target.setProperty (mapIds::lockBy, link, nullptr);
    else
        target.removeProperty (mapIds::lockBy, nullptr);
}

/** The button that stands for a control beside the selected one (the grid holds every button
    control) shows its caption anew. */
void refreshCaptionOfControl (int controlId)
{
    auto* selected = selectedButton();
    auto* section = selected != nullptr ? selected->getParentComponent() : nullptr;

    if (section == nullptr)
        return;

    for (auto* child : section->getChildren())
        if (auto* button = dynamic_cast<MappableButton*> (child);
            button != nullptr && button->getKind() == selected->getKind() && button->getControlNumber() == controlId)
            button->refreshCaption();
}
} // namespace

int sharedControlOf (int controlId)
{
    if (hostInstance == nullptr)
        return controlId;

    const auto link = static_cast<int> (hostInstance->getStateTree().controlEntryInCurrentSlot (controlId).getProperty (mapIds::lockBy, 0));
    return isControlIndex (link) ? link : controlId;
}

ControlEntry shownEntryOf (int controlId)
{
    return hostInstance != nullptr ? hostInstance->getStateTree().controlEntryInCurrentSlot (sharedControlOf (controlId)) : ControlEntry();
}

ControlEntry editableLinkedEntry()
{
    auto entry = editableEntry();
    const auto id = selectedControlId();
    const auto shared = sharedControlOf (id);

    if (! entry.isValid() || shared == id)
        return entry;

    if (hostInstance->isFixedHuiButton (shared))
        return {};

    if (const auto sharedEntry = shownEntryOf (id); sharedEntry.isValid())
        copyAssignmentKeepingLink (sharedEntry, entry);

    return entry;
}

void passEditToSharedControl (const ControlEntry& edited)
{
    const auto id = selectedControlId();
    const auto shared = sharedControlOf (id);

    if (shared == id || ! edited.isValid() || hostInstance->isFixedHuiButton (shared))
        return;

    if (auto sharedEntry = shownEntryOf (id); sharedEntry.isValid())
    {
        copyAssignmentKeepingLink (edited, sharedEntry);
        refreshCaptionOfControl (shared);
    }
}

void copyToLinkedButtons (int controlId, const ControlEntry& entry)
{
    if (hostInstance == nullptr || ! isButtonControl (controlId) || static_cast<int> (entry.getProperty (mapIds::lockBy, 0)) <= 0)
        return;

    const auto state = hostInstance->getStateTree();
    const auto column = (controlId - firstButtonControl) % buttonsPerRow;
    const auto rows = (lastButtonControl - firstButtonControl + 1) / buttonsPerRow;

    for (int row = 0; row < rows; ++row)
    {
        const auto linked = firstButtonControl + column + buttonsPerRow * row;

        // A button whose function the HUI workstation fixes keeps it, in every row.
        if (linked == controlId || hostInstance->isFixedHuiButton (linked))
            continue;

        auto target = state.controlEntryInCurrentSlot (linked);
        copyEntryKeepingId (entry, target);
        refreshCaptionOfControl (linked);
    }
}

void refreshSelectedCaption()
{
    if (auto* button = selectedButton())
        button->refreshCaption();
}
} // namespace NsOrvelA::pageEdits
