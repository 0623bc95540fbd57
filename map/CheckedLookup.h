#pragma once

#include <cstddef>

namespace NsOrvelA
{
/** The entry at a 0-based index of a fixed table, or the fallback outside it. Every lookup of the
    model by a number that may come from a file, a unit or the editor goes through here. */
template <typename Value, std::size_t size>
constexpr Value lookupOr (const Value (&table)[size], int index, Value fallback) noexcept
{
    return (index >= 0 && static_cast<std::size_t> (index) < size) ? table[index] : fallback;
}

/** The same for tables of texts: outside the table the empty text. */
template <std::size_t size>
constexpr const char* textAt (const char* const (&table)[size], int index) noexcept
{
    return lookupOr (table, index, "");
}
} // namespace NsOrvelA
