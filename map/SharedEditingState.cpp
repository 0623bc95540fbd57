#include "map/SharedEditingState.h"

#include "map/ReplySlots.h"

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

void resetSharedEditingState()
{
    currentEditor = nullptr;
    currentModelId = talvor::productIds::orvelA;
    currentControl = nullptr;
    currentSlotId = 1;
    slotDawIds = { 0, 0, 0 };
    slotOptionFlags = { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

    for (auto& flag : slotFaderUnlocked)
        flag = 1;

    mixerStripCount = 9;
    slotCaptionRefresh = false;
    slotDirty = { 0, 0, 0 };
    slotSending = { 0, 0, 0 };
    transferBusy = 0;
    saveDefaultsPending = 0;
    deviceTableBuffers = {};
    slotLabelTexts = makeBlankSlotLabelTexts();
    slotSignatures = {};
    keepInputOpen = 1;
    usedFunctionNames.clear();

    resetReplySlots();
    reportedSelectSlot = 0;
    slotSelectReportPending = 0;
    reportedFaderSlot = 0;
    faderReportPending = 0;
}
} // namespace NsOrvelA
