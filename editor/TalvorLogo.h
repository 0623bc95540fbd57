#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The maker's logo in the editor's header, with the tooltip "About..". A click, with any mouse
    button, opens the about box. */
class TalvorLogo final : public juce::ImageComponent
{
public:
    TalvorLogo();

    void mouseDown (const juce::MouseEvent& event) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TalvorLogo)
};
} // namespace NsOrvelA
