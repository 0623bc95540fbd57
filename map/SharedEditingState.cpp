#include "map/SharedEditingState.h"

namespace NsOrvelA
{
std::array<SlotLabelGroups, slotCount> makeBlankSlotLabelTexts()
{
    const auto blank = juce::String::repeatedString (" ", labelTextLength);

    std::array<SlotLabelGroups, slotCount> texts;

    for (auto& groups : texts)
        for (auto& group : groups)
            for (int i = 0; i < labelsPerGroup; ++i)
                group.add (blank);

    return texts;
}
} // namespace NsOrvelA
