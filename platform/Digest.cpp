#include "platform/Digest.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace talvor
{
namespace
{
class DigestAccumulator
{
public:
    void add (int byteValue) noexcept { accumulator = std::sin ((std::sin (static_cast<double> (byteValue)) + accumulator) * 3.0); }

    int result() const noexcept
    {
        // |accumulator| <= 1, so the product always fits an int.
        return std::abs (static_cast<int> (accumulator * 10000000.0));
    }

private:
    double accumulator = 0.0;
};
} // namespace

int byteStringDigest (const juce::String& text)
{
    DigestAccumulator digest;
    const auto utf8 = text.toRawUTF8();

    for (auto* c = utf8; *c != 0; ++c)
        digest.add (static_cast<signed char> (*c));

    return digest.result();
}

int digestOfBytes (const ByteList& bytes)
{
    DigestAccumulator digest;

    for (auto byte : bytes)
        digest.add (byte);

    return digest.result();
}
} // namespace talvor
