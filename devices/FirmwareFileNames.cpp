#include "devices/FirmwareFileNames.h"

#include "devices/ProductIds.h"

#include <vector>

namespace talvor
{
namespace
{
struct FirmwarePatternRow
{
    std::vector<int> productIds;
    std::vector<const char*> patterns; // any of them may match
    // Patterns of a sibling row that, when one matches, take the name away from this row's
    // broad patterns.
    std::vector<const char*> unlessMatches;
};

using ProductFirmwarePatternTable = std::vector<FirmwarePatternRow>;

// Rows for the maker's other devices go here too once their file names are known to this program.
const ProductFirmwarePatternTable& firmwarePatterns()
{
    static const ProductFirmwarePatternTable rows{
        { { productIds::orvelA }, { "*orvel_a_*" }, {} },
        { { productIds::orvelB, productIds::orvelB2, productIds::orvelB3, productIds::orvelB4, productIds::orvelB5, productIds::orvelB6,
            productIds::orvelB7 },
          { "*orvel_b_*" },
          {} },
    };
    return rows;
}

bool matchesAny (const juce::String& name, const std::vector<const char*>& patterns)
{
    for (const auto* pattern : patterns)
        if (name.matchesWildcard (pattern, true))
            return true;

    return false;
}

const FirmwarePatternRow* findRow (int productId)
{
    for (const auto& row : firmwarePatterns())
        for (auto id : row.productIds)
            if (id == productId)
                return &row;

    return nullptr;
}
} // namespace

bool fileNameMatchesProduct (const juce::String& fileName, int productId)
{
    const auto* row = findRow (productId);

    if (row == nullptr)
        return true;

    return matchesAny (fileName, row->patterns) && ! matchesAny (fileName, row->unlessMatches);
}
} // namespace talvor
