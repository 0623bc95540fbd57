#include "tables/SlotSignatures.h"

#include "platform/Digest.h"

#include <cmath>
#include <cstdlib>

namespace NsOrvelA
{
int digestOfInts (const std::vector<int>& values)
{
    double accumulator = 0.0;

    for (auto value : values)
        accumulator = std::sin ((std::sin (static_cast<double> (value)) + accumulator) * 3.0);

    return std::abs (static_cast<int> (accumulator * 10000000.0));
}

int layerSignature (const juce::StringArray& texts)
{
    std::vector<int> digests;
    digests.reserve (static_cast<size_t> (texts.size()));

    for (const auto& text : texts)
        digests.push_back (talvor::byteStringDigest (text));

    return digestOfInts (digests);
}
} // namespace NsOrvelA
