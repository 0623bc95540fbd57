#include "editor/MappableDragButton.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::GuiHarness;
namespace ids = NsOrvelA::mapIds;

/** A row of drag buttons, as the button section holds them, with a listener that records clicks. */
class DragRow final : public juce::Component, private juce::Button::Listener
{
public:
    explicit DragRow (std::initializer_list<int> controls)
    {
        int x = 10;

        for (int id : controls)
        {
            auto* b = buttons.add (new MappableDragButton());
            b->setKind (MappableButton::controlKind);
            b->setControlNumber (id);
            b->setBounds (x, 20, 60, 30);
            b->addListener (this);
            addAndMakeVisible (b);
            x += 70;
        }

        setSize (x + 200, 300);
    }

    MappableDragButton& operator[] (int controlId)
    {
        for (auto* b : buttons)
            if (b->getControlNumber() == controlId)
                return *b;

        throw std::out_of_range ("no such control");
    }

    void refreshCaptions()
    {
        for (auto* b : buttons)
            b->refreshCaption();
    }

    juce::Array<int> clicked;

private:
    void buttonClicked (juce::Button* b) override { clicked.add (static_cast<MappableButton*> (b)->getControlNumber()); }

    juce::OwnedArray<MappableDragButton> buttons;
};

class Drag : public corvix::testing::EditorTest
{
protected:
    Drag()
    {
        resetDragDropState();
        chooseWorkstation (1, 1);

        for (int id : { 40, 41, 42, 46, 74 })
        {
            entry (id).setProperty (ids::valueType, "func", nullptr);
            entry (id).setProperty (ids::name, "F" + juce::String (id), nullptr);
        }

        row.refreshCaptions();
    }

    juce::String nameOf (int controlId) { return entry (controlId).getProperty (ids::name).toString(); }

    corvix::testing::RecordingEditor editor;
    DragRow row{ 40, 41, 42, 46, 74 };
    GuiHarness window{ row };
};

TEST_F (Drag, DraggingOneButtonOntoAnotherSwapsTheirAssignmentsAndCaptions)
{
    entry (40).setProperty (ids::valueType, "hotkey", nullptr);
    entry (40).setProperty (ids::keyName, "F5", nullptr);
    const auto origin = row[40].getPosition();

    window.drag (row[40], row[41]);

    EXPECT_EQ (nameOf (40), "F41");
    EXPECT_EQ (nameOf (41), "F40");
    EXPECT_EQ (entry (41).getProperty (ids::valueType).toString(), "hotkey");
    EXPECT_EQ (entry (41).getProperty (ids::keyName).toString(), "F5");
    EXPECT_EQ (entry (40).getProperty (ids::valueType).toString(), "func");
    EXPECT_EQ (static_cast<int> (entry (40).getProperty (ids::id)), 40);
    EXPECT_EQ (static_cast<int> (entry (41).getProperty (ids::id)), 41);

    EXPECT_EQ (row[40].getButtonText(), "F41");
    EXPECT_EQ (row[41].getButtonText(), "F40");
    EXPECT_EQ (row[40].getPosition(), origin) << "the dragged button snaps back";
    EXPECT_EQ (slotDirty[0], 1);
    EXPECT_EQ (editor.panelRefreshes, 1);
    EXPECT_FALSE (dragDropState.dropPending);

    ASSERT_TRUE (GuiHarness::pumpUntil ([this] { return row.clicked.contains (41); }));
    EXPECT_EQ (row.clicked.getLast(), 41) << "the drop target becomes the current control";
}

TEST_F (Drag, TheSlotMarkedIsTheUnitsSelectedSlot)
{
    chooseWorkstation (2, 1);
    host->setUnitCurrentSlot (2);
    window.drag (row[40], row[41]);
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 1, 0 }));
}

TEST_F (Drag, LinkedButtonsNeitherGiveNorTake)
{
    entry (41).setProperty (ids::lockBy, 5, nullptr);

    window.drag (row[40], row[41]);
    window.drag (row[41], row[42]);

    EXPECT_EQ (nameOf (40), "F40");
    EXPECT_EQ (nameOf (41), "F41");
    EXPECT_EQ (nameOf (42), "F42");
    EXPECT_EQ (slotDirty[0], 0);
    EXPECT_EQ (editor.panelRefreshes, 0);
}

TEST_F (Drag, TheHuiWorkstationsFixedButtonsStayPut)
{
    chooseWorkstation (1, huiDawId);
    entry (46).setProperty (ids::name, "F46", nullptr);
    entry (74).setProperty (ids::name, "F74", nullptr);
    entry (41).setProperty (ids::name, "F41", nullptr);

    window.drag (row[46], row[41]);
    window.drag (row[41], row[74]);
    EXPECT_EQ (nameOf (46), "F46");
    EXPECT_EQ (nameOf (41), "F41");
    EXPECT_EQ (nameOf (74), "F74");

    chooseWorkstation (1, 1);
    window.drag (row[46], row[41]);
    EXPECT_EQ (nameOf (41), "F46");
    window.drag (row[42], row[74]);
    EXPECT_EQ (nameOf (74), "F42");
}

TEST_F (Drag, ADropOnItsOwnPlaceOrOutsideEveryButtonSwapsNothing)
{
    window.dragTo (row[40], row[40], { 5, 5 });
    EXPECT_TRUE (dragDropState.dropPending) << "no other drag button was entered";
    EXPECT_EQ (nameOf (40), "F40");

    window.mouseMove (row[41], { 30, 10 });
    EXPECT_FALSE (dragDropState.dropPending) << "the next entry ends the pending drop";
    EXPECT_EQ (nameOf (41), "F41");

    window.dragTo (row[42], row, { 500, 250 });
    EXPECT_TRUE (dragDropState.dropPending);
    window.mouseMove (row[41], { 10, 10 });
    EXPECT_FALSE (dragDropState.dropPending);

    EXPECT_EQ (nameOf (40), "F40");
    EXPECT_EQ (nameOf (41), "F41");
    EXPECT_EQ (nameOf (42), "F42");
    EXPECT_EQ (slotDirty[0], 0);
}

TEST_F (Drag, APressWithoutMovementSelectsButNeverSwaps)
{
    window.click (row[42]);
    GuiHarness::pump (10);

    EXPECT_TRUE (row.clicked.contains (42));
    EXPECT_TRUE (row[42].getToggleState());
    EXPECT_FALSE (dragDropState.dropPending);
    EXPECT_EQ (dragDropState.draggedButton, &row[42]);

    window.mouseMove (row[41], { 10, 10 });
    EXPECT_EQ (nameOf (41), "F41");
    EXPECT_EQ (nameOf (42), "F42");
}

TEST_F (Drag, AButtonThatGoesIsNoLongerTheDraggedOne)
{
    {
        MappableDragButton gone;
        dragDropState.draggedButton = &gone;
    }
    EXPECT_EQ (dragDropState.draggedButton, nullptr);
}
} // namespace
