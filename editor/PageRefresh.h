#pragma once

#include "map/ControlButton.h"
#include "map/EditorHooks.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
class FuncPage;
class HotkeyPage;
class MidiPage;

/** Brings the editor's three pages in line with the map and the selected control: which page tabs
    a control gets, the MIDI page's four lists, what the pages show after a selection, and the
    pages' share of the editor's full and panel refreshes. The editor owns the pages and the tab
    component; this only fills them. */
class PageRefresh final
{
public:
    PageRefresh (EditorHooks& editor, juce::TabbedComponent& pageTabs, FuncPage& funcPage, HotkeyPage& hotkeyPage, MidiPage& midiPage);

    /** Tab indices of the pages: HOTKEY exists only while a button control (33..152) is selected. */
    static constexpr int functionTab = 0;

    /** FUNCTION, HOTKEY, MIDI for a button control, FUNCTION, MIDI for any other; false for an id
        outside 1..226. */
    bool setEditorTabsForControl (int controlId);

    /** Rebuilds one of the MIDI page's lists for a control. Nothing for an id outside 1..226. */
    void buildValueLists (ControlButton& control, MidiPageList list);

    /** After a control was selected and its tabs set: picks the page of its assignment, fills the
        lists and the HOTKEY page, scrolls to its function, refreshes the panels and shows the
        function buttons that a control of its kind can take. Nothing while the slot has no
        workstation. */
    void showPagesForControl (ControlButton& control);

    /** The pages' part of a full refresh: the workstation chooser, the MIDI headers, the function
        buttons of the workstation with the ones in use disabled. */
    void refreshFromModel (int dawId);

    /** The pages' part of a panel refresh: the chosen function, the HOTKEY page, the MIDI lists. */
    void refreshPanels();

    /** The FUNCTION page's button captioned with the text is enabled or disabled. */
    void passTextToFuncPage (const juce::String& text, bool enabled);

private:
    void addPageTab (const juce::String& name, juce::Component& page, int index);

    EditorHooks& editor;
    juce::TabbedComponent& tabs;
    FuncPage& funcPage;
    HotkeyPage& hotkeyPage;
    MidiPage& midiPage;
};
} // namespace NsOrvelA
