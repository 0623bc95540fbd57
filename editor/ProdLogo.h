#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The picture of the unit model being edited, in the editor's header. A click, with any mouse
    button, toggles between the main unit and the extender: the picture changes and the whole
    editor follows the new model, as when the model is chosen in the model chooser. */
class ProdLogo final : public juce::ImageComponent
{
public:
    ProdLogo();

    void mouseDown (const juce::MouseEvent& event) override;

    /** The picture of a model: the main unit's, or the extender's for every extender model. */
    static juce::Image pictureOf (int productId);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProdLogo)
};
} // namespace NsOrvelA
