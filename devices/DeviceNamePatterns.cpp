#include "devices/DeviceNamePatterns.h"

#include "devices/ProductIds.h"
#include "devices/VariantNames.h"

#include <vector>

namespace talvor
{
namespace
{
struct DeviceNamePatternRow
{
    const char* pattern;
    int productId; // productIds::none stops the search, so a broader pattern below cannot claim the name
};

using DeviceNamePatternTable = std::vector<DeviceNamePatternRow>;

// Order matters: the numbered extenders come before the plain extender, so "Orvel-B2" is not
// taken for an "Orvel-B". Patterns of the maker's other devices go around these rows, keeping
// this block's order.
const DeviceNamePatternTable& mainPatterns()
{
    static const DeviceNamePatternTable rows{
        { "*orvel?a*", productIds::orvelA },   { "*orvel?b2*", productIds::orvelB2 }, { "*orvel?b3*", productIds::orvelB3 },
        { "*orvel?b4*", productIds::orvelB4 }, { "*orvel?b5*", productIds::orvelB5 }, { "*orvel?b6*", productIds::orvelB6 },
        { "*orvel?b7*", productIds::orvelB7 }, { "*orvel?b*", productIds::orvelB },
    };
    return rows;
}

// The second set matches only devices of the variant products; none of this system's units.
const DeviceNamePatternTable& variantPatterns()
{
    static const DeviceNamePatternTable rows{};
    return rows;
}
} // namespace

int productIdFromDeviceName (const juce::String& deviceName)
{
    const auto name = deviceName.toLowerCase().trim();

    for (const auto& row : variantNamesActive == 1 ? variantPatterns() : mainPatterns())
        if (name.matchesWildcard (row.pattern, true))
            return row.productId;

    return productIds::none;
}
} // namespace talvor
