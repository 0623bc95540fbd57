#pragma once

#include "editor/MappableButton.h"

#include <memory>

namespace NsOrvelA
{
class MappableDragButton;

/** Drag-and-drop between the button section's control buttons. Only one button can be dragged at
    a time, so the state is process-wide; message thread only. */
struct DragDropState
{
    juce::Point<int> dragOrigin; ///< position in its parent of the button at its last mouse-down
    MappableDragButton* draggedButton = nullptr; ///< the drag button pressed last
    bool dragMoved = false; ///< the pressed button was moved since its mouse-down
    bool dropPending = false; ///< a moved button was released: the next mouse-enter decides
    juce::Point<int> dropScreenPoint; ///< screen position of the last release
};

inline DragDropState dragDropState;

/** Back to idle: nothing dragged, nothing moved, no drop pending, release point (0, 0). The editor
    does this when it is built, and a drag button that goes clears itself from the state. */
void resetDragDropState();

/** A control button that the user drags onto another to exchange the two controls' assignments
    in the current slot. The dragged button snaps back on release; the drag button that the mouse
    then enters exactly at the release point takes the drop. A drop from or onto a linked button
    ("lockBy" above 0), or involving a button the HUI workstation reserves, changes nothing. */
class MappableDragButton final : public MappableButton
{
public:
    MappableDragButton();
    ~MappableDragButton() override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void takeDrop();

    juce::ComponentDragger dragger;
    std::unique_ptr<juce::ComponentBoundsConstrainer> constrainer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MappableDragButton)
};
} // namespace NsOrvelA
