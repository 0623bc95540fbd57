#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

/** One registered page: its source-text file, the factory that makes it (the caller owns the
    page) and whether the root component must make room for it beside the side panel. */
struct PageEntry
{
    juce::File pageFile;
    std::function<juce::Component*()> factory;
    bool isHeavyweight{ false };
};

/** A named group of pages, in registration order. */
struct PageCategory
{
    juce::String name;
    std::vector<PageEntry> pages;
};

/** The process's registry of pages, filled once at start-up. */
std::vector<PageCategory>& pageCategories();

/** The category of that name, appended without pages when there is none yet. */
PageCategory& findOrAddCategory (const juce::String& name);

/** The category of that name, or nullptr; never adds one. */
const PageCategory* findCategory (const juce::String& name);

/** The resources folder for the registry: "resources" next to the executable, else the nearest
    ancestor of that name within 15 steps; the empty file when there is none. */
juce::File findExamplesDirectory (const juce::File& executable);

/** Registers a page whose source text lies at the relative path inside the resources folder;
    registers nothing when the program has no resources folder. */
void registerPage (std::function<juce::Component*()> factory, const juce::String& relativePath, const juce::String& categoryName,
                   bool isHeavyweight);

/** The registry of this program: the editor page of the main unit. */
void registerEditorPage();
void registerAllPages();

/** The page the root component shows from the start, and the registered page's factory: both
    make a new map editor for the Orvel-A, which the caller owns. */
std::unique_ptr<juce::Component> createMainPage();
juce::Component* createEditorComponent();
