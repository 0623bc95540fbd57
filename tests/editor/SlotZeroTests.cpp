#include "editor/ControlMenu.h"
#include "editor/KeyEntryWindow.h"
#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using Marks = std::array<juce::uint8, 3>;

/** A map file can name slot 0 as a unit's selected slot, and a unit's report can set the editor's
    slot to 0: no page may then index a per-slot table with it, write anything or mark anything. */
class SlotZero : public corvix::testing::PagesTest
{
protected:
    SlotZero() { chooseWorkstation (2); }

    /** The unit's selected slot is 0, as a loaded map file can leave it until the editor's next
        full refresh. */
    void selectNoSlot()
    {
        host->getStateTree().deviceNode().setProperty (mapIds::current, 0, nullptr);
        before = host->getState().createCopy();
        slotDirty = { 0, 0, 0 };
    }

    void expectNothingWritten()
    {
        EXPECT_TRUE (host->getState().isEquivalentTo (before));
        EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
    }

    juce::ValueTree before;
};

TEST_F (SlotZero, NoPageWritesOrMarksAnything)
{
    for (int editorSlot : { 1, 0 })
    {
        currentSlotId = editorSlot;
        pages->select (50);
        selectNoSlot();

        auto& layer = pages->funcPage.getLayer();
        auto* chosen = layer.getSelectedButton();
        layer.buttonClicked (&layer.getFunctionButton (layer.getSelectedButton() == &layer.getFunctionButton (0) ? 1 : 0));
        expectNothingWritten();
        EXPECT_EQ (layer.getSelectedButton(), chosen) << "no function is shown as chosen for nothing";

        dialogs.answerModal (
            [] (juce::Component& window)
            {
                dynamic_cast<KeyEntryWindow&> (window).keyPressed (juce::KeyPress ('q'));
                corvix::testing::findButtonWithText (window, "OK")->triggerClick();
            });
        pages->hotkeyPage.buttonClicked (nullptr);
        pages->hotkeyPage.getNameField().setText ("Name", juce::sendNotificationSync);
        expectNothingWritten();

        pages->midiPage.getTypeList().setSelectedItemIndex (1, juce::sendNotificationSync);
        pages->midiPage.getNameField().setText ("Other", juce::sendNotificationSync);
        expectNothingWritten();

        for (int item : { ControlMenu::clearButton, ControlMenu::removeDaw })
            ControlMenu::apply (*pages, item);
        expectNothingWritten();

        // Choosing a workstation goes through the editor's full refresh, which puts the editor's
        // own slot back into the tree: only that slot may then be marked.
        pages->funcPage.getDawChooser().setSelectedId (9, juce::sendNotificationSync);
        pages->funcPage.fillFunctionButtons();
        EXPECT_EQ (slotDirty, (Marks{ static_cast<juce::uint8> (editorSlot == 1 ? 1 : 0), 0, 0 })) << "editor slot " << editorSlot;
    }
}
} // namespace
