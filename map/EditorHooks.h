#pragma once

#include "map/ControlButton.h"

namespace NsOrvelA
{
/** The four value lists of the MIDI page, in the order every caller rebuilds them. */
enum class MidiPageList
{
    messageType,
    channel,
    messageValue,
    rotationPattern,
};

/** What the editor offers to model-side code. The one editor implements it and registers itself in
    `currentEditor`; model code reaches it only through the Host's hooks, which do nothing while no
    editor exists, so the model runs the same with or without a window. */
class EditorHooks
{
public:
    virtual ~EditorHooks() = default;

    /** A full refresh of the editor from the map and the shared editing state. */
    virtual void refreshFromModel() = 0;

    /** Switches the editor to the unit model with this product id. */
    virtual bool applyModel (int productId) = 0;

    /** Refreshes the editor's panels: captions, titles, the function selection, the pages. */
    virtual void refreshAllPanels() = 0;

    /** Rebuilds one of the MIDI page's lists for the control of a button. */
    virtual void buildValueLists (ControlButton& control, MidiPageList list) = 0;

    /** Opens the context menu of the current control. */
    virtual void showControlMenu() = 0;

    /** Enables or disables the function button of the FUNCTION page whose caption is the text. */
    virtual void passTextToFuncPage (const juce::String& text, bool enabled) = 0;

    /** Tells the user what went wrong in something they asked for (a box they close); the editor's
        stand-ins in tests may leave it out. */
    virtual void showMessage (const juce::String& text) { juce::ignoreUnused (text); }

protected:
    EditorHooks() = default;
    EditorHooks (const EditorHooks&) = default;
    EditorHooks& operator= (const EditorHooks&) = default;
};
} // namespace NsOrvelA
