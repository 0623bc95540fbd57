#pragma once

#include "map/ControlButton.h"
#include "map/EditorHooks.h"
#include "map/MapState.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>

namespace NsOrvelA
{
/** The one object through which the editor reaches the map and the units. It owns the live map
    state tree and the settings file that keeps it between runs, the connection to a unit's MIDI
    port pair with the callback that receives the units' messages, and the editor hooks through
    which model-side code asks the editor to refresh. Everything here runs on the message thread,
    but for the input handler's callback. */
class Host
{
public:
    class Impl;
    class MidiInputHandler;

    /** Builds the default tree, then adopts the tree of the settings file when it is of this
        layout version. Use getInstance(); tests may make their own and install it as hostInstance. */
    Host();
    virtual ~Host();

    //==============================================================================
    // The live map.

    /** A view of the live tree. */
    MapState getStateTree();

    /** A shared reference to the live tree's root. */
    juce::ValueTree getState();

    /** The name of the MIDI output that uploads go to; empty at start. */
    juce::String getSelectedOutputName() const;
    void setSelectedOutputName (const juce::String& name);

    /** Stores the live tree in the settings file under "state". Only "SAVE AS DEFAULT" does this.
        A failure names the file and the system's reason; nothing was stored then. */
    juce::Result saveState();

    //==============================================================================
    // Map files ("*.corvix"); the result's message is what the user is shown on failure.

    juce::Result saveMappingFile (const juce::File& file);
    juce::Result loadMappingFile (const juce::File& file);

    //==============================================================================
    // Editing operations on the live tree. None of them marks a slot for upload.

    void setUnitCurrentSlot (int slotId, int unitId = -1);
    int getCurrentSlotId();
    int getSlotDawId (int slotId, int unitId = -1);
    void collectAssignedFunctionNames();
    bool isFixedHuiButton (int controlId);
    void refreshButtonTooltip (ControlButton& button);
    void swapAssignments (ControlButton& first, ControlButton& second);

    //==============================================================================
    // Talking to the units.

    /** One upload conversation with the selected output, for the unit of the product id. */
    juce::Result sendMapsToDevice (int productId);

    /** Status messages to the main unit's port 4 (0x22 selected slot, 0x2D store defaults).
        False when a conversation is running. */
    bool sendModeStatus (int command);

    /** Status messages to the extenders' ports 4 (0x22, 0x23 fader state, 0x2D). False when a
        conversation is running. */
    bool sendSlotStatus (int command);

    /** The system setting (command 0x2A) to every port 4 of a product the filter accepts.
        False when a conversation is running. */
    bool setSystemCompat (const std::function<bool (int productId)>& filter, int command, int value);

    /** The current input handler; null until the first connection. */
    MidiInputHandler* getMidiHandler() const noexcept { return midiHandler.get(); }

    /** Replaces the input handler with a new one (the old one's ports are closed first). */
    MidiInputHandler& replaceMidiHandler();

    //==============================================================================
    // Editor hooks: each does nothing while there is no editor.

    void refreshEditorPanels();
    void refreshEditor();
    void refreshEditorFull();
    void refreshAfterOptionChange();
    void refreshAfterDawChange();
    void refreshPanelsAfterHotkey();
    void refreshPanelsAfterMidiEdit();
    void setEditorModel (int productId);
    void setCurrentSlot (int slotId);
    void showControlMenuFromMixer();
    void showControlMenuFromButtons();
    void showEditorText (const juce::String& text, bool enabled);
    void showEditorTextFromMidiPage (const juce::String& text, bool enabled);
    void updateValueLists (ControlButton& control, MidiPageList list);
    void showEditorMessage (const juce::String& text);

    // getInstance(): the process's Host, created on the first call under the singleton's lock.
    // Once deleted it is never made again.
    JUCE_DECLARE_SINGLETON (Host, true)

private:
    std::unique_ptr<Impl> impl;
    std::unique_ptr<MidiInputHandler> midiHandler;

    JUCE_DECLARE_NON_COPYABLE (Host)
};

/** The Host that model-side code uses: the editor's mixer section stores it when it first obtains
    the Host. Tests install their own. */
inline Host* hostInstance = nullptr;

/** The target takes every property of the source but keeps its own "id". */
void copyEntryKeepingId (const ControlEntry& source, ControlEntry& target);

/** Opens (or, with open false, closes) the MIDI input of the given product's highest-numbered
    port through a new input handler of the Host; true when a port pair is open afterwards. */
bool setDeviceInputOpen (int productId, bool open);

} // namespace NsOrvelA
