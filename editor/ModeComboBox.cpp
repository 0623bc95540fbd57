#include "editor/ModeComboBox.h"

#include "map/SharedEditingState.h"

namespace NsOrvelA
{
ModeComboBox::ModeComboBox() : juce::ComboBox (juce::String()) {}

void ModeComboBox::mouseDown (const juce::MouseEvent& e)
{
    const auto index = getSelectedItemIndex();

    if (index != -1)
    {
        slotCaptionRefresh = true;
        setSelectedItemIndex (index, juce::sendNotification);
    }

    juce::ComboBox::mouseDown (e);
}
} // namespace NsOrvelA
