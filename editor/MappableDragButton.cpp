#include "editor/MappableDragButton.h"

#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"

namespace NsOrvelA
{
void resetDragDropState() { dragDropState = DragDropState(); }

MappableDragButton::MappableDragButton()
    : MappableButton (juce::String()), constrainer (std::make_unique<juce::ComponentBoundsConstrainer>())
{
    constrainer->setMinimumOnscreenAmounts (100, 100, 100, 100);
}

MappableDragButton::~MappableDragButton()
{
    // A drop must never reach a button that is gone.
    if (dragDropState.draggedButton == this)
        dragDropState.draggedButton = nullptr;
}

void MappableDragButton::mouseDown (const juce::MouseEvent& e)
{
    setToggleState (true, juce::sendNotification);
    dragDropState.dragOrigin = getPosition();
    dragDropState.draggedButton = this;
    toFront (true);
    dragger.startDraggingComponent (this, e);
    juce::Button::mouseDown (e);
}

void MappableDragButton::mouseDrag (const juce::MouseEvent& e)
{
    dragDropState.dragMoved = true;
    dragger.dragComponent (this, e, constrainer.get());
    juce::Button::mouseDrag (e);
}

void MappableDragButton::mouseUp (const juce::MouseEvent& e)
{
    // The release point first: the event's screen position is worked out from where the button is,
    // so after the snap-back it would name the press point and no drop could ever match it.
    dragDropState.dropScreenPoint = e.getScreenPosition();
    setBounds (getLocalBounds() + dragDropState.dragOrigin);

    if (dragDropState.dragMoved)
    {
        dragDropState.dragMoved = false;
        dragDropState.dropPending = true;
    }

    juce::Button::mouseUp (e);
}

void MappableDragButton::mouseEnter (const juce::MouseEvent& e)
{
    // The button that the mouse enters right where a moved button was released takes the drop;
    // any other entry after a release just ends the pending drop.
    if (dragDropState.dropPending)
    {
        if (e.getScreenPosition() == dragDropState.dropScreenPoint && dragDropState.draggedButton != nullptr)
            takeDrop();

        dragDropState.dropPending = false;
    }

    juce::Button::mouseEnter (e);
}

void MappableDragButton::takeDrop()
{
    auto* host = hostInstance;
    auto* source = dragDropState.draggedButton;

    if (host == nullptr || source == this)
        return;

    const auto state = host->getStateTree();
    const auto lockOf = [&state] (const MappableButton& b)
    { return static_cast<int> (state.controlEntryInCurrentSlot (b.getControlNumber()).getProperty (mapIds::lockBy)); };

    if (lockOf (*source) > 0 || lockOf (*this) > 0 || host->isFixedHuiButton (source->getControlNumber())
        || host->isFixedHuiButton (getControlNumber()))
        return;

    host->swapAssignments (*source, *this);
    source->refreshCaption();
    host->refreshEditorPanels();

    const auto slotId = state.currentSlotId();

    if (isSlotId (slotId))
        slotDirty[(size_t) (slotId - 1)] = 1;

    refreshCaption();
    triggerClick();
}
} // namespace NsOrvelA
