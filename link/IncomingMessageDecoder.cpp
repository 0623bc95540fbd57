#include "link/IncomingMessageDecoder.h"

#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint8 unitReport = 0xEC; // channel 13
constexpr juce::uint8 acknowledgement = 0x9A; // note on, channel 11

juce::int8 flag (bool condition) noexcept { return condition ? 1 : 0; }

void decodeReport (juce::uint8 kind, juce::uint8 value) noexcept
{
    switch (kind)
    {
        case 0x22:
            reportedSelectSlot.store ((value & 0x60) >> 5, std::memory_order_relaxed);
            slotSelectReportPending.store (1, std::memory_order_release);
            break;

        case 0x23:
        {
            const int slot = value >> 5;

            // A unit may report slot 0; nothing is indexed with it.
            if (! isSlotId (slot))
                break;

            reportedFaderSlot.store (slot, std::memory_order_relaxed);
            slotFaderUnlocked[static_cast<size_t> (slot - 1)].store ((value & 0x1F) != 0 ? 1 : 0, std::memory_order_relaxed);
            faderReportPending.store (1, std::memory_order_release);
            break;
        }

        default:
            replySlots::replyStatus.store (flag (value != 127), std::memory_order_relaxed);
            break;
    }
}

void decodeAcknowledgement (juce::uint8 request, juce::uint8 value) noexcept
{
    using namespace replySlots;
    const auto isOne = flag (value == 1);

    switch (request)
    {
        case 0x24:
            reply24.store (static_cast<juce::int8> (value & 7), std::memory_order_relaxed);
            break;
        case 0x25:
            reply25.store (isOne, std::memory_order_relaxed);
            break;
        case 0x26:
            reply26.store (isOne, std::memory_order_relaxed);
            break;
        case 0x27:
            reply27.store (isOne, std::memory_order_relaxed);
            break;
        case 0x2A:
            reply2A.store (flag (value == 0), std::memory_order_relaxed);
            break;
        case 0x2C:
            reply2C.store (isOne, std::memory_order_relaxed);
            break;
        case 0x2E:
            reply2E.store (isOne, std::memory_order_relaxed);
            break;
        case 0x2F:
            replyStatus.store (isOne, std::memory_order_relaxed);
            break;
        default:
            break; // 0x28, 0x29, 0x2B, 0x2D and anything else
    }
}
} // namespace

void decodeIncomingMessage (const juce::uint8* bytes, int size) noexcept
{
    // Every message the units send is three bytes; anything shorter is not theirs.
    if (bytes == nullptr || size < 3)
        return;

    if (bytes[0] == unitReport)
        decodeReport (bytes[1], bytes[2]);
    else if (bytes[0] == acknowledgement)
        decodeAcknowledgement (bytes[1], bytes[2]);
}
} // namespace NsOrvelA
