#pragma once

namespace NsOrvelA
{
/** The eight units the editor knows, in the order of the unit nodes of the map (unit id =
    position + 1): the Orvel-A main unit, then the Orvel-B and the numbered extenders. */
constexpr int unitCount = 8;
constexpr int deviceModelIds[unitCount] = { 2057, 2058, 2073, 2074, 2075, 2076, 2077, 2078 };
extern const char* const modelNames[unitCount];

constexpr int idToIndex (int id) noexcept { return id - 1; }
constexpr int indexToId (int index) noexcept { return index + 1; }

constexpr bool isOrvelA (int productId) noexcept { return productId == 2057; }
constexpr bool isOrvelB (int productId) noexcept { return productId == 2058; }
constexpr bool isExtenderB2to7 (int productId) noexcept { return productId >= 2073 && productId <= 2078; }
constexpr bool isExtender (int productId) noexcept { return isOrvelB (productId) || isExtenderB2to7 (productId); }
constexpr bool isSupportedModel (int productId) noexcept { return isOrvelA (productId) || isExtender (productId); }

/** The unit id (1..8) of a product id, 0 when it is not one of the eight units. */
int unitIdOfProduct (int productId) noexcept;
} // namespace NsOrvelA
