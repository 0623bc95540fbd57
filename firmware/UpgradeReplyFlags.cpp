#include "firmware/UpgradeReplyFlags.h"

namespace talvor
{
void clearReplyFlags() noexcept
{
    for (auto* flag : { &upgradeReplyFlags.connectAcknowledged, &upgradeReplyFlags.eraseAcknowledged, &upgradeReplyFlags.blockAcknowledged,
                        &upgradeReplyFlags.resetAcknowledged, &upgradeReplyFlags.deviceErrorReported, &upgradeReplyFlags.enterModeReply })
        flag->store (0);
}
} // namespace talvor
