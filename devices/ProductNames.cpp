#include "devices/ProductNames.h"

#include "devices/ProductIds.h"
#include "devices/VariantNames.h"

#include <vector>

namespace talvor
{
namespace
{
struct ProductNameRow
{
    int productId;
    const char* name;
};

using ProductNameTable = std::vector<ProductNameRow>;

// The maker's other devices have rows here too, in ascending id order, once their names are known
// to this program; today it knows only its own units.
const ProductNameTable& mainNames()
{
    static const ProductNameTable rows{
        { productIds::orvelA, "Orvel-A" },   { productIds::orvelB, "Orvel-B" },   { productIds::orvelB2, "Orvel-B2" },
        { productIds::orvelB3, "Orvel-B3" }, { productIds::orvelB4, "Orvel-B4" }, { productIds::orvelB5, "Orvel-B5" },
        { productIds::orvelB6, "Orvel-B6" }, { productIds::orvelB7, "Orvel-B7" },
    };
    return rows;
}

// The second set names only devices of the variant products (see usesVariantNames), never one of
// this system's units.
const ProductNameTable& variantNames()
{
    static const ProductNameTable rows{};
    return rows;
}

juce::String lookUp (const ProductNameTable& rows, int productId)
{
    for (const auto& row : rows)
        if (row.productId == productId)
            return row.name;

    return "Unknown";
}
} // namespace

juce::String productName (int productId) { return lookUp (variantNamesActive == 1 ? variantNames() : mainNames(), productId); }
} // namespace talvor
