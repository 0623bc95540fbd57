#include "map/ReplySlots.h"

namespace NsOrvelA
{
void resetReplySlots() noexcept
{
    using namespace replySlots;

    for (auto* slot : { &reply24, &reply25, &reply26, &reply27, &reply2A, &reply2C, &reply2E, &replyStatus })
        slot->store (noReply, std::memory_order_relaxed);
}
} // namespace NsOrvelA
