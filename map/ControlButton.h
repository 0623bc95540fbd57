#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
/** What model code needs of one of the editor's control buttons: which control it stands for, the
    caption it would show for that control now, and a place to put a tooltip. The editor's buttons
    implement it; model code never sees a GUI class. */
class ControlButton
{
public:
    virtual ~ControlButton() = default;

    /** The control id 1..226 the button stands for (a slot or option number 1..3 for the slot
        buttons, -1 for an inactive placeholder). */
    virtual int getControlNumber() const = 0;

    /** The caption of the button's control in the current slot and workstation of the map. */
    virtual juce::String makeCaption() const = 0;

    /** Shows a tooltip text on the button; the empty text removes it. */
    virtual void setTooltipText (const juce::String& text) = 0;

protected:
    ControlButton() = default;
    ControlButton (const ControlButton&) = default;
    ControlButton& operator= (const ControlButton&) = default;
};
} // namespace NsOrvelA
