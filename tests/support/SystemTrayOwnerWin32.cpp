// On Windows the taskbar's notification area is always there: nothing to take over.
#include "tests/support/SystemTrayOwner.h"

namespace talvor::test
{
SystemTrayOwner::SystemTrayOwner() : owning (true) {}
SystemTrayOwner::~SystemTrayOwner() = default;
} // namespace talvor::test
