#include "editor/TalvorLogo.h"

namespace NsOrvelA
{
TalvorLogo::TalvorLogo() : juce::ImageComponent (juce::String()) {}

void TalvorLogo::mouseDown (const juce::MouseEvent&)
{
    if (onClick != nullptr)
        onClick();
}
} // namespace NsOrvelA
