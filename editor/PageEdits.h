#pragma once

#include "map/ControlEntry.h"

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
class Host;
class MappableButton;

/** The steps every edit on an editor page shares: find the selected control's entry, and after the
    writes refresh its caption and mark the slot for the device-watch timer. Every slot id read from
    the map or the shared state is checked before it indexes anything: a map file can hold 0. */
namespace pageEdits
{
/** The process's Host, or null while there is none (the pages then write nothing). */
Host* host() noexcept;

/** The selected control's button, or null while none is selected. */
MappableButton* selectedButton() noexcept;

/** The selected control's id, 0 while none is selected. */
int selectedControlId() noexcept;

/** The selected control's entry in the current unit's selected slot; invalid without one. */
ControlEntry selectedEntry();

/** The current unit's selected slot in the live map; 0 when it has none. */
int selectedSlotId();

/** The workstation of the current unit's selected slot; 0 when it has none. */
int currentDawId();

/** The entry a page may edit: the selected control's, unless the HUI workstation fixes that
    control's function; invalid when there is none. */
ControlEntry editableEntry();

/** The control whose entry a control shows and edits on the MIDI page: the one its "lockBy" names
    (a map or settings file sets it) when that is another control, the control itself otherwise. */
int sharedControlOf (int controlId);

/** The entry the MIDI page shows for a control: its shared control's. */
ControlEntry shownEntryOf (int controlId);

/** The entry the MIDI page edits: the selected control's, which for a linked control first takes the
    shared entry's assignment (keeping its own id and link), so that the edit starts from what the
    page shows. Invalid when there is none, or when the HUI workstation fixes the function of the
    control or of the one it shares. */
ControlEntry editableLinkedEntry();

/** After a MIDI-page edit of a linked control, the entry it shares takes the edit (keeping its
    own id and link) and its button shows it: the page shows and edits the shared entry. */
void passEditToSharedControl (const ControlEntry& edited);

/** The selected control is one whose function the HUI workstation fixes. */
bool selectedIsFixedHuiButton();

/** Sets the upload mark of a slot; anything that is not a slot id is ignored. */
void markSlotForUpload (int slotId) noexcept;

/** A button control whose entry is linked ("lockBy" above 0) passes the entry on to the buttons at
    its place in the other four rows of 24; each keeps its own id, and its button shows the new
    caption. Only button controls 33..152 take
    part: a "lockBy" on any other control (a map file can hold one) links nothing. */
void copyToLinkedButtons (int controlId, const ControlEntry& entry);

/** The selected control's button shows its caption anew (nothing while none is selected). */
void refreshSelectedCaption();
} // namespace pageEdits
} // namespace NsOrvelA
