#pragma once

#include <type_traits>

namespace juce
{
class String;
}

namespace NsOrvelA::evaluators
{
template <typename T, typename... Candidates>
constexpr bool isAnyOf = (std::is_same_v<T, Candidates> || ...);

/** The printf format for logging a value of type T, chosen at compile time from the type itself.
    Arrays count as pointers to their elements, and top-level const and references are ignored. */
template <typename T>
constexpr const char* typedLogFormat() noexcept
{
    using Type = std::decay_t<T>;

    if constexpr (isAnyOf<Type, const char*, const unsigned char*, char*, unsigned char*, juce::String>)
        return "%S";
    else if constexpr (isAnyOf<Type, const wchar_t*, wchar_t*>)
        return "%s";
    else if constexpr (isAnyOf<Type, char, unsigned char>)
        return "0x%02X";
    else if constexpr (isAnyOf<Type, short, unsigned short, int, unsigned int>)
        return "%d";
    else if constexpr (isAnyOf<Type, float, double>)
        return "%lf";
    else if constexpr (std::is_same_v<Type, long>)
        return "%ld";
    else
        return "0x%X";
}

template <typename T>
constexpr const char* typedLogFormat (const T&) noexcept
{
    return typedLogFormat<T>();
}
} // namespace NsOrvelA::evaluators
