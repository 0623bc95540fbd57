#include "devices/ProductFamilies.h"

#include "devices/ProductIds.h"

#include <cstddef>

namespace talvor
{
namespace
{
struct IdRange
{
    int first;
    int last;

    constexpr bool contains (int id) const noexcept { return id >= first && id <= last; }
};

struct FamilyRow
{
    IdRange members;
    int familyId;
};

using productIds::orvelA;
using productIds::orvelB;
using productIds::orvelB2;
using productIds::orvelB7;

constexpr FamilyRow familyRows[]{
    { { orvelA, orvelA }, orvelA },
    { { orvelB, orvelB }, orvelB },
    { { orvelB2, orvelB7 }, orvelB },
    { { 2056, 2056 }, 2056 },
    { { 2067, 2072 }, 2056 },
    { { 26, 26 }, 85 },
    { { 81, 81 }, 85 },
    { { 74, 75 }, 73 },
    { { 99, 99 }, 73 },
    { { 324, 324 }, 73 },
    { { 79, 79 }, 79 },
    { { 89, 89 }, 79 },
    { { 110, 114 }, 110 },
    { { 126, 126 }, 110 },
    { { 125, 125 }, 101 },
    { { 176, 177 }, 176 },
};

constexpr FamilyRow catalogueRows[]{
    { { orvelB, orvelB }, orvelB },
    { { orvelB2, orvelB7 }, orvelB },
    { { 2056, 2056 }, 2056 },
    { { 2067, 2072 }, 2056 },
};

constexpr IdRange bootloaderDevices[]{ { 2054, orvelB }, { 2067, orvelB7 } };

template <std::size_t size>
int mapThroughRows (const FamilyRow (&rows)[size], int productId) noexcept
{
    for (const auto& row : rows)
        if (row.members.contains (productId))
            return row.familyId;

    return productId;
}
} // namespace

int productFamilyId (int productId) noexcept { return mapThroughRows (familyRows, productId); }

int normaliseProductId (int productId) noexcept { return mapThroughRows (catalogueRows, productId); }

bool usesBlhostBackend (int productId) noexcept
{
    for (const auto& range : bootloaderDevices)
        if (range.contains (productId))
            return true;

    return false;
}
} // namespace talvor
