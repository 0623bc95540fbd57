#include "tests/support/SystemTrayOwner.h"
#include "ui/SystemTray.h"

#include <gtest/gtest.h>

namespace
{
TEST (SystemTrayTest, TheTrayIsThereExactlyWhileSomeClientOwnsTheTraySelection)
{
    EXPECT_FALSE (talvor::desktopHasSystemTray()) << "the virtual X server has no tray manager";
    {
        talvor::test::SystemTrayOwner trayManager;
        ASSERT_TRUE (trayManager.owns());
        EXPECT_TRUE (talvor::desktopHasSystemTray());
    }
    EXPECT_FALSE (talvor::desktopHasSystemTray());
}
} // namespace
