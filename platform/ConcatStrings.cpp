#include "platform/ConcatStrings.h"

namespace talvor
{
std::string concatStrings (const char* first, std::initializer_list<const char*> further)
{
    std::string joined (first != nullptr ? first : "");

    for (const auto* text : further)
    {
        if (text == nullptr)
            break;

        joined += text;
    }

    return joined;
}
} // namespace talvor
