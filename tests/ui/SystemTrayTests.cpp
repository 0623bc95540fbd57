#include "tests/support/SystemTrayOwner.h"
#include "tests/support/X11Windows.h"
#include "ui/SystemTray.h"

#include <gtest/gtest.h>

namespace
{
TEST (SystemTrayTest, TheTrayIsThereExactlyWhileSomeClientOwnsTheTraySelection)
{
#if JUCE_WINDOWS
    EXPECT_TRUE (talvor::desktopHasSystemTray());
    GTEST_SKIP() << "the tray selection is the X server's; Windows' notification area is always there";
#endif
    // A connection held throughout, so the server does not reset between the steps.
    const talvor::test::WindowManagerAtoms serverKeptAlive;
    EXPECT_FALSE (talvor::desktopHasSystemTray()) << "the virtual X server has no tray manager";
    {
        talvor::test::SystemTrayOwner trayManager;
        ASSERT_TRUE (trayManager.owns());
        EXPECT_TRUE (talvor::desktopHasSystemTray());
    }
    EXPECT_FALSE (talvor::desktopHasSystemTray());
}
} // namespace
