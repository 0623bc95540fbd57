#include "platform/CpuFamily.h"

namespace talvor
{
namespace
{
CpuModelSource& installedSource()
{
    static CpuModelSource source;
    return source;
}

juce::String cpuModel()
{
    const auto& source = installedSource();
    return source ? source() : juce::SystemStats::getCpuModel();
}

bool namesAppleChip (const juce::String& model) { return model.contains ("M1") || model.contains ("M2"); }

bool namesChipVariant (const juce::String& model) { return model.contains ("Pro") || model.contains ("Max") || model.contains ("Ultra"); }
} // namespace

bool isIntelCpu() { return cpuModel().containsIgnoreCase ("Intel"); }

bool isAmdCpu() { return cpuModel().containsIgnoreCase ("AMD"); }

bool isAppleM1()
{
    const auto model = cpuModel();
    return (model.contains ("M1") || model.contains ("VirtualApple")) && ! namesChipVariant (model);
}

bool isAppleM2()
{
    const auto model = cpuModel();
    return model.contains ("M2") && ! namesChipVariant (model);
}

bool isAppleM2Series() { return cpuModel().contains ("M2"); }

bool isAppleProChip()
{
    const auto model = cpuModel();
    return namesAppleChip (model) && model.contains ("Pro");
}

bool isAppleMaxChip()
{
    const auto model = cpuModel();
    return namesAppleChip (model) && model.contains ("Max");
}

bool isAppleUltraChip()
{
    const auto model = cpuModel();
    return namesAppleChip (model) && model.contains ("Ultra");
}

const char* cpuFamilyName()
{
    if (isIntelCpu())
        return "Intel";
    if (isAmdCpu())
        return "AMD";
    if (isAppleM1())
        return "M1";
    if (isAppleM2())
        return "M2";
    if (isAppleProChip())
        return "Pro";
    if (isAppleMaxChip())
        return "Max";
    if (isAppleUltraChip())
        return "Ultra";
    return "";
}

ScopedCpuModelSource::ScopedCpuModelSource (CpuModelSource source) : previous (std::move (installedSource()))
{
    installedSource() = std::move (source);
}

ScopedCpuModelSource::~ScopedCpuModelSource() { installedSource() = std::move (previous); }
} // namespace talvor
