#include "platform/VersionText.h"

namespace talvor
{
int digitBeforeFirstDot (const juce::String& text)
{
    const auto dot = text.indexOfChar ('.');

    if (dot <= 0)
        return 0;

    const auto c = text[dot - 1];
    return (c >= '0' && c <= '9') ? static_cast<int> (c - '0') : 0;
}
} // namespace talvor
