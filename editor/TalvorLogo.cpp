#include "editor/TalvorLogo.h"

#include "editor/AboutBox.h"

namespace NsOrvelA
{
TalvorLogo::TalvorLogo() : juce::ImageComponent (juce::String()) {}

void TalvorLogo::mouseDown (const juce::MouseEvent&) { aboutBox::show(); }
} // namespace NsOrvelA
