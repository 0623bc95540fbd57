#pragma once

#include "editor/FuncPage.h"
#include "editor/HotkeyPage.h"
#include "editor/MappableButton.h"
#include "editor/MidiPage.h"
#include "editor/PageRefresh.h"
#include "map/EditorHooks.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScriptedDialogs.h"

#include <map>
#include <memory>

namespace corvix::testing
{
/** The three pages with their tab component, driven the way the editor drives them: it is the
    process's editor while it lives, selects controls through its own control buttons, and runs the
    pages' share of the editor's refreshes. Shown in a real window, so that text editors,
    focus and modal windows behave as they do for a user (the test shows it in a window). */
class PagesHarness final : public juce::Component, public NsOrvelA::EditorHooks
{
public:
    PagesHarness();
    ~PagesHarness() override;

    void resized() override;

    /** The control button that stands for a control id (made on first use). */
    NsOrvelA::MappableButton& control (int controlId);

    /** Selects a control as a click on its button does. */
    NsOrvelA::MappableButton& select (int controlId);

    void refreshFromModel() override;
    bool applyModel (int) override { return true; }
    void refreshAllPanels() override;
    void buildValueLists (NsOrvelA::ControlButton& button, NsOrvelA::MidiPageList list) override;
    void showControlMenu() override;
    void passTextToFuncPage (const juce::String& text, bool enabled) override;

    juce::TabbedComponent tabs{ juce::TabbedButtonBar::TabsAtTop };
    NsOrvelA::FuncPage funcPage;
    NsOrvelA::HotkeyPage hotkeyPage;
    NsOrvelA::MidiPage midiPage;
    NsOrvelA::PageRefresh refresh{ *this, tabs, funcPage, hotkeyPage, midiPage };
    int fullRefreshes = 0;
    int panelRefreshes = 0;

private:
    std::map<int, std::unique_ptr<NsOrvelA::MappableButton>> controls;
};

/** A Host over fresh settings, scripted dialogs and the pages, with the slots' workstations set. */
class PagesTest : public HostTest
{
protected:
    PagesTest();
    ~PagesTest() override;

    /** Gives a slot of every unit a workstation, in the tree and in the editor's shared state,
        and refreshes as the editor does after a change of workstation. */
    void chooseWorkstation (int dawId, int slotId = 1);

    /** A control's entry in the current unit's selected slot of the live map. */
    NsOrvelA::ControlEntry entry (int controlId);

    /** Makes a control's entry a MIDI assignment without a name, as a map file may hold it. */
    void setMidi (int controlId, const juce::String& type, int channel, int value);

    talvor::test::ScriptedDialogs dialogs;
    std::unique_ptr<PagesHarness> pages;
    std::unique_ptr<GuiHarness> frame;
};
} // namespace corvix::testing
