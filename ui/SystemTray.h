#pragma once

namespace talvor
{
/** Whether the desktop shows a system tray that a tray entry can dock into. On X11 that is when
    some client owns the screen's tray selection; without one no tray entry is made. */
bool desktopHasSystemTray();
} // namespace talvor
