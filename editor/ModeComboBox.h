#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The FUNCTION page's chooser of the current slot's workstation. A mouse-down on it, while an
    item is selected, asks the next mixer refresh to rewrite the slot captions (slotCaptionRefresh),
    even when the workstation stays the same. */
class ModeComboBox final : public juce::ComboBox
{
public:
    ModeComboBox();

    void mouseDown (const juce::MouseEvent&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModeComboBox)
};
} // namespace NsOrvelA
