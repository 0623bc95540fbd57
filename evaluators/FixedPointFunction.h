#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <utility>

namespace NsOrvelA::evaluators
{
static_assert (std::numeric_limits<int>::digits == 31, "the recursive functions compute in 32-bit int");

/** Two's-complement wrap of a 32-bit pattern to int, written so that it is defined on every compiler. */
constexpr int wrapToInt (std::uint32_t bits) noexcept
{
    return bits <= static_cast<std::uint32_t> (std::numeric_limits<int>::max()) ? static_cast<int> (bits) : -static_cast<int> (~bits) - 1;
}

/** Sum and product that wrap around on overflow instead of leaving it undefined. */
constexpr int wrappingAdd (int a, int b) noexcept { return wrapToInt (static_cast<std::uint32_t> (a) + static_cast<std::uint32_t> (b)); }

constexpr int wrappingMultiply (int a, int b) noexcept
{
    return wrapToInt (static_cast<std::uint32_t> (a) * static_cast<std::uint32_t> (b));
}

/** Turns a body of (self, n) into a function of n. Each call wraps a copy of this object as `self`,
    so the body recurses through it without naming itself. */
template <typename Body>
class FixedPointFunction final
{
public:
    explicit FixedPointFunction (Body bodyToUse) : body (std::move (bodyToUse)) {}

    int operator() (int n) const
    {
        const std::function<int (int)> self{ *this };
        return body (self, n);
    }

private:
    Body body;
};
} // namespace NsOrvelA::evaluators
