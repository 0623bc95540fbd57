#pragma once

#include "devices/ProductIds.h"

namespace NsOrvelA
{
/** The eight units the editor knows, in the order of the unit nodes of the map (unit id =
    position + 1): the Orvel-A main unit, then the Orvel-B and the numbered extenders. */
constexpr int unitCount = 8;
constexpr int deviceModelIds[unitCount] = { talvor::productIds::orvelA,  talvor::productIds::orvelB,  talvor::productIds::orvelB2,
                                            talvor::productIds::orvelB3, talvor::productIds::orvelB4, talvor::productIds::orvelB5,
                                            talvor::productIds::orvelB6, talvor::productIds::orvelB7 };
extern const char* const modelNames[unitCount];

constexpr int idToIndex (int id) noexcept { return id - 1; }
constexpr int indexToId (int index) noexcept { return index + 1; }

constexpr bool isOrvelA (int productId) noexcept { return productId == talvor::productIds::orvelA; }
constexpr bool isOrvelB (int productId) noexcept { return productId == talvor::productIds::orvelB; }
constexpr bool isExtenderB2to7 (int productId) noexcept
{
    return productId >= talvor::productIds::orvelB2 && productId <= talvor::productIds::orvelB7;
}
constexpr bool isExtender (int productId) noexcept { return isOrvelB (productId) || isExtenderB2to7 (productId); }
constexpr bool isSupportedModel (int productId) noexcept { return isOrvelA (productId) || isExtender (productId); }

/** The unit id (1..8) of a product id, 0 when it is not one of the eight units. */
int unitIdOfProduct (int productId) noexcept;
} // namespace NsOrvelA
