#include "map/MapState.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultMaps.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using namespace NsOrvelA;

// The input thread publishes the fader state without a lock; a byte that needed one would block it.
static_assert (std::atomic<juce::uint8>::is_always_lock_free);

void expectStartValues()
{
    EXPECT_EQ (currentEditor, nullptr);
    EXPECT_EQ (currentControl, nullptr);
    EXPECT_EQ (currentModelId, 2057);
    EXPECT_EQ (currentSlotId, 1);
    EXPECT_EQ (mixerStripCount, 9);
    EXPECT_FALSE (slotCaptionRefresh);
    EXPECT_EQ (transferBusy, 0);
    EXPECT_EQ (saveDefaultsPending, 0);
    EXPECT_EQ (keepInputOpen, 1);

    for (size_t slot = 0; slot < 3; ++slot)
    {
        EXPECT_EQ (slotDawIds[slot], 0);
        EXPECT_EQ (slotDirty[slot], 0);
        EXPECT_EQ (slotSending[slot], 0);
        EXPECT_EQ (slotFaderUnlocked[slot].load(), 1);

        for (size_t option = 0; option < 3; ++option)
            EXPECT_EQ (slotOptionFlags[slot][option], slot == option ? 1 : 0);
    }

    for (const auto& unit : slotSignatures)
        for (auto signature : unit)
            EXPECT_EQ (signature, 0);
}

void expectEmptyBuffersAndBlankTexts()
{
    ASSERT_EQ (deviceTableBuffers.size(), 8u);

    for (const auto& unit : deviceTableBuffers)
    {
        ASSERT_EQ (unit.size(), 3u);

        for (const auto& buffer : unit)
        {
            ASSERT_EQ (buffer.size(), 1792u);
            EXPECT_TRUE (std::all_of (buffer.begin(), buffer.end(), [] (auto b) { return b == 0; }));
        }
    }

    ASSERT_EQ (slotLabelTexts.size(), 3u);
    const auto blank = juce::String::repeatedString (" ", 16);

    for (const auto& slot : slotLabelTexts)
    {
        ASSERT_EQ (slot.size(), 10u);

        for (const auto& group : slot)
        {
            ASSERT_EQ (group.size(), 12);

            for (const auto& text : group)
                EXPECT_EQ (text, blank);
        }
    }
}

TEST (SharedEditingState, StartUpValues) { expectStartValues(); }

TEST (SharedEditingState, TransferBuffersStartEmptyAndFullSize) { expectEmptyBuffersAndBlankTexts(); }

/** Counts what model code asks of the editor. */
struct RecordingEditor final : EditorHooks
{
    void refreshFromModel() override { ++calls; }
    bool applyModel (int) override { return ++calls > 0; }
    void refreshAllPanels() override { ++calls; }
    void buildValueLists (ControlButton&, MidiPageList) override { ++calls; }
    void showControlMenu() override { ++calls; }
    void passTextToFuncPage (const juce::String&, bool) override { ++calls; }

    int calls = 0;
};

TEST (SharedEditingState, TheMapNeitherNeedsNorCallsTheEditor)
{
    // The tree and its accessors are model code: they work without an editor and leave one alone.
    ASSERT_EQ (currentEditor, nullptr);
    auto withoutEditor = makeDefaultMapState();
    EXPECT_TRUE (withoutEditor.controlEntryInCurrentSlot (40).isValid());

    RecordingEditor editor;
    currentEditor = &editor;
    auto withEditor = makeDefaultMapState();
    EXPECT_EQ (withEditor.currentDawId(), 0);
    EXPECT_EQ (editor.calls, 0);
    currentEditor = nullptr;
}

struct SilentButton final : ControlButton
{
    int getControlNumber() const override { return 40; }
    juce::String makeCaption() const override { return {}; }
    void setTooltipText (const juce::String&) override {}
};

TEST (SharedEditingState, OneResetPutsEveryVariableAndReplySlotBackToItsStartValue)
{
    RecordingEditor editor;
    SilentButton button;
    currentEditor = &editor;
    currentControl = &button;
    currentModelId = 2075;
    currentSlotId = 3;
    slotDawIds = { 4, 5, 6 };
    slotOptionFlags = { { { 1, 1, 1 }, { 1, 1, 1 }, { 1, 1, 1 } } };

    for (auto& flag : slotFaderUnlocked)
        flag = 0;

    mixerStripCount = 8;
    slotCaptionRefresh = true;
    slotDirty = { 1, 1, 1 };
    slotSending = { 1, 1, 1 };
    transferBusy = 1;
    saveDefaultsPending = 1;
    deviceTableBuffers[7][2][1791] = 0x7F;
    slotLabelTexts[2][9].set (11, "changed");
    slotSignatures[7][2] = 99;
    keepInputOpen = 0;
    usedFunctionNames = { "left over" };
    replySlots::reply24 = 1;
    replySlots::replyStatus = 1;
    reportedSelectSlot = 2;
    slotSelectReportPending = 1;
    reportedFaderSlot = 3;
    faderReportPending = 1;

    resetSharedEditingState();

    expectStartValues();
    expectEmptyBuffersAndBlankTexts();
    EXPECT_TRUE (usedFunctionNames.isEmpty());
    EXPECT_EQ (replySlots::reply24.load(), replySlots::noReply);
    EXPECT_EQ (replySlots::replyStatus.load(), replySlots::noReply);
    EXPECT_EQ (reportedSelectSlot.load(), 0);
    EXPECT_EQ (slotSelectReportPending.load(), 0);
    EXPECT_EQ (reportedFaderSlot.load(), 0);
    EXPECT_EQ (faderReportPending.load(), 0);
}
} // namespace
