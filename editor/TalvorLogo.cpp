#include "editor/TalvorLogo.h"

namespace NsOrvelA
{
TalvorLogo::TalvorLogo() : juce::ImageComponent (juce::String()) {}
} // namespace NsOrvelA
