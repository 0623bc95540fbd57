#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** Tests on the processor's model text, read anew on every call. Only the two vendor tests
    ignore case; the chip names are matched as written. */
bool isIntelCpu();
bool isAmdCpu();
bool isAppleM1();
bool isAppleM2();
bool isAppleProChip();
bool isAppleMaxChip();
bool isAppleUltraChip();

/** True for every chip of the M2 series, the Pro, Max and Ultra variants included. */
bool isAppleM2Series();

/** "Intel", "AMD", "M1", "M2", "Pro", "Max", "Ultra" for the first test above that holds, in
    that order, or the empty text. The words are constants that live as long as the program. */
const char* cpuFamilyName();

/** Where the model text comes from; the default asks the system. */
using CpuModelSource = std::function<juce::String()>;

/** Answers the model text from the given source while this object lives. */
class ScopedCpuModelSource
{
public:
    explicit ScopedCpuModelSource (CpuModelSource source);
    ~ScopedCpuModelSource();

    ScopedCpuModelSource (const ScopedCpuModelSource&) = delete;
    ScopedCpuModelSource& operator= (const ScopedCpuModelSource&) = delete;

private:
    CpuModelSource previous;
};
} // namespace talvor
