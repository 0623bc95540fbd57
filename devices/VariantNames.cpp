#include "devices/VariantNames.h"

#include <algorithm>
#include <array>

namespace talvor
{
int variantNamesActive = 0;

bool usesVariantNames (int productId) noexcept
{
    static constexpr std::array<int, 11> variantProducts{ 74, 75, 99, 157, 158, 171, 186, 187, 324, 2050, 2052 };
    return std::find (variantProducts.begin(), variantProducts.end(), productId) != variantProducts.end();
}
} // namespace talvor
