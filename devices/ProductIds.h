#pragma once

namespace talvor
{
/** Product ids of the maker's devices, as the units report them and as the catalogue lists them. */
namespace productIds
{
/** No product: no name pattern matched, or the one that matched stands for no product. */
constexpr int none = 2000;

constexpr int orvelA = 2057;
constexpr int orvelB = 2058;
constexpr int orvelB2 = 2073;
constexpr int orvelB3 = 2074;
constexpr int orvelB4 = 2075;
constexpr int orvelB5 = 2076;
constexpr int orvelB6 = 2077;
constexpr int orvelB7 = 2078;
} // namespace productIds

/** True for every id but the "no product" id. */
constexpr bool isKnownProductId (int productId) noexcept { return productId != productIds::none; }

/** True for an Orvel-B extender, plain or numbered 2 to 7. */
constexpr bool isOrvelBExtender (int productId) noexcept
{
    return productId == productIds::orvelB || (productId >= productIds::orvelB2 && productId <= productIds::orvelB7);
}
} // namespace talvor
