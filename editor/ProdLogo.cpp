#include "editor/ProdLogo.h"

#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "ui/AssetImages.h"

namespace NsOrvelA
{
ProdLogo::ProdLogo() : juce::ImageComponent (juce::String()) {}

juce::Image ProdLogo::pictureOf (int productId) { return talvor::loadAssetImage (isOrvelA (productId) ? "orvel-a.png" : "orvel-b.png"); }

void ProdLogo::mouseDown (const juce::MouseEvent&)
{
    // Every extender toggles back to the main unit; the main unit toggles to the first extender.
    currentModelId = isOrvelA (currentModelId) ? talvor::productIds::orvelB : talvor::productIds::orvelA;
    setImage (pictureOf (currentModelId));

    // The captions, titles and pages all depend on the model, so the panels are refreshed too,
    // exactly as when the model is chosen in the model chooser.
    if (hostInstance != nullptr)
    {
        hostInstance->setEditorModel (currentModelId);
        hostInstance->refreshEditor();
        hostInstance->refreshEditorPanels();
    }
}
} // namespace NsOrvelA
