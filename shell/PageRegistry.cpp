#include "shell/PageRegistry.h"

#include "devices/ProductIds.h"
#include "editor/MainComp.h"
#include "platform/ProgramFile.h"
#include "platform/ResourcesFolder.h"

std::vector<PageCategory>& pageCategories()
{
    static std::vector<PageCategory> categories;
    return categories;
}

PageCategory& findOrAddCategory (const juce::String& name)
{
    auto& categories = pageCategories();
    for (auto& category : categories)
        if (category.name == name)
            return category;

    categories.push_back ({ name, {} });
    return categories.back();
}

const PageCategory* findCategory (const juce::String& name)
{
    for (const auto& category : pageCategories())
        if (category.name == name)
            return &category;
    return nullptr;
}

juce::File findExamplesDirectory (const juce::File& executable) { return talvor::findNamedResourcesFolderFrom (executable); }

void registerPage (std::function<juce::Component*()> factory, const juce::String& relativePath, const juce::String& categoryName,
                   bool isHeavyweight)
{
    const auto resources = findExamplesDirectory (talvor::programFile());
    if (resources == juce::File())
        return;

    findOrAddCategory (categoryName).pages.push_back ({ resources.getChildFile (relativePath), std::move (factory), isHeavyweight });
}

void registerEditorPage() { registerPage (createEditorComponent, "Controllers/OrvelA", "Controllers", false); }

void registerAllPages() { registerEditorPage(); }

juce::Component* createEditorComponent() { return createMainPage().release(); }

std::unique_ptr<juce::Component> createMainPage() { return std::make_unique<NsOrvelA::MainComp> (talvor::productIds::orvelA); }
