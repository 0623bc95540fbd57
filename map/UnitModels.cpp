#include "map/UnitModels.h"

namespace NsOrvelA
{
const char* const modelNames[unitCount] = { "Orvel-A", "Orvel-B", "Orvel-B2", "Orvel-B3", "Orvel-B4", "Orvel-B5", "Orvel-B6", "Orvel-B7" };

int unitIdOfProduct (int productId) noexcept
{
    for (int i = 0; i < unitCount; ++i)
        if (deviceModelIds[i] == productId)
            return indexToId (i);

    return 0;
}
} // namespace NsOrvelA
