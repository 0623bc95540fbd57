#pragma once

namespace corvix::testing
{
/** True when this Windows program runs under Wine rather than on Windows itself: for the few
    tests whose path leans on a part of Windows that Wine does not reproduce. */
bool runningUnderWine();
} // namespace corvix::testing
