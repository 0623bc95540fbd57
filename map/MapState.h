#pragma once

#include "map/ControlEntry.h"
#include "map/MapIdentifiers.h"

namespace NsOrvelA
{
/** A view of a map state tree: root "store" -> 8 "model" (units) -> 3 "slot" -> 18 "mode"
    (workstation maps) -> 226 "ctl" (control entries). Copies share the same nodes, so a change made
    through one is seen through all.

    The accessors never fail: an id that names no node gives an invalid tree, whose properties read
    as 0 or the empty text and ignore writes. An id of -1 means the current one. */
class MapState final
{
public:
    /** A view of an existing tree. */
    explicit MapState (const juce::ValueTree& existingTree);

    /** A further shared reference to the root. */
    juce::ValueTree getTree() const { return tree; }

    /** The unit node whose "id" is the unit id; -1 takes the root's "current" (1 when absent). */
    juce::ValueTree deviceNode (int unitId = -1) const;

    /** The unit's slot node by position; slot id -1 takes the unit's "current" (1 when absent). */
    juce::ValueTree slotNode (int slotId = -1, int unitId = -1) const;

    /** The control's entry in the workstation map that the slot has selected; a slot without a
        workstation (absent or 0) gives the map of workstation 1. */
    ControlEntry controlEntry (int controlId, int slotId = -1, int unitId = -1) const;

    /** The control's entry in the current unit's selected slot. */
    ControlEntry controlEntryInCurrentSlot (int controlId) const;

    /** The current unit's selected slot id; 0 when there is none. */
    int currentSlotId() const;

    /** The workstation id the slot of the current unit has selected; 0 when none. */
    int slotDawId (int slotId) const;

    /** The workstation of the current unit's selected slot when both ids are valid, else 0. */
    int currentDawId() const;

    /** The slot of the unit that the editor is editing (`currentModelId`), by position; invalid
        unless the slot id is 1..3 and the model is one of the eight units. */
    juce::ValueTree slotNodeOfCurrentModel (int slotId) const;

    juce::Identifier type = mapIds::store;
    juce::ValueTree tree;
};

/** Fills the map's root with the default tree: the version, the eight units with their three slots,
    each slot with a map for every workstation and every map with an unassigned entry per control.
    Whatever the root held before is replaced. */
void buildDefaultMapTree (MapState& state);

/** Gives a root "current" 1 and the layout version and takes its children away: where every new
    tree starts. */
void startMapTree (juce::ValueTree& root);

/** A unit node without slots for the unit at the index (0..7), with its id and product id. */
juce::ValueTree makeUnitNode (int unitIndex);

/** A slot with no workstation chosen, no option set and an unassigned map for every workstation. */
juce::ValueTree makeDefaultSlot (int slotId);

/** The unit by position; -1 takes the root's "current", or the fallback when the root has none.
    Any other id outside the tree gives an invalid node. */
juce::ValueTree unitAtPosition (const juce::ValueTree& root, int unitId, int fallbackUnitId);

/** The workstation id the slot of the unit by position has selected (unit id -1: the root's
    "current", no unit when the root has none); 0 when none. */
int slotDawIdOfUnit (const juce::ValueTree& root, int slotId, int unitId);

/** The child of a node that has an id, by position (id - 1); invalid for an id below 1 or past the
    last child. */
juce::ValueTree childWithId (const juce::ValueTree& parent, int id);
} // namespace NsOrvelA
