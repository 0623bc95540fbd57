#pragma once

namespace talvor
{
/** Inverts a flag for exactly as long as the object lives, however the scope is left. */
class ScopedFlagToggle
{
public:
    explicit ScopedFlagToggle (bool& flagToToggle) noexcept : flag (flagToToggle) { flag = ! flag; }
    ~ScopedFlagToggle() noexcept { flag = ! flag; }

    ScopedFlagToggle (const ScopedFlagToggle&) = delete;
    ScopedFlagToggle& operator= (const ScopedFlagToggle&) = delete;

private:
    bool& flag;
};
} // namespace talvor
