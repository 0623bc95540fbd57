#pragma once

namespace talvor::test
{
/** Owns the screen's system-tray selection while it lives, as a desktop's tray manager does, so
    that a test can offer the program a tray on the virtual X server. */
class SystemTrayOwner
{
public:
    SystemTrayOwner();
    ~SystemTrayOwner();

    SystemTrayOwner (const SystemTrayOwner&) = delete;
    SystemTrayOwner& operator= (const SystemTrayOwner&) = delete;

    bool owns() const { return owning; }

private:
    void* display{ nullptr };
    unsigned long window{ 0 };
    bool owning{ false };
};
} // namespace talvor::test
