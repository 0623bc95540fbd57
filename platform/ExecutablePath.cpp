#include "platform/ExecutablePath.h"

namespace talvor
{
juce::String pathNextToExecutable()
{
    return juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory().getFullPathName() + "/";
}
} // namespace talvor
