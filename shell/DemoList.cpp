#include "shell/DemoList.h"

#include "shell/DemoContentComponent.h"
#include "shell/PageRegistry.h"

DemoList::DemoList (DemoContentComponent& content) : contentArea (content)
{
    list.setModel (this);
    list.setRowHeight (40);
    addAndMakeVisible (list);
}

DemoList::~DemoList() { list.setModel (nullptr); }

void DemoList::showCategory (const juce::String& name)
{
    openCategory = name;
    list.deselectAllRows();
    list.setHeaderComponent (name.isEmpty() ? nullptr : std::make_unique<Header> (*this));
    list.updateContent();
}

void DemoList::resized() { list.setBounds (getLocalBounds()); }

int DemoList::getNumRows()
{
    if (openCategory.isEmpty())
        return (int) pageCategories().size();
    const auto* category = findCategory (openCategory);
    return category != nullptr ? (int) category->pages.size() : 0;
}

juce::String DemoList::rowText (int row) const
{
    if (openCategory.isEmpty())
    {
        const auto& categories = pageCategories();
        return juce::isPositiveAndBelow (row, (int) categories.size()) ? categories[(size_t) row].name : juce::String();
    }
    const auto* category = findCategory (openCategory);
    if (category == nullptr || ! juce::isPositiveAndBelow (row, (int) category->pages.size()))
        return {};
    return category->pages[(size_t) row].pageFile.getFileName();
}

void DemoList::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected)
{
    auto& lf = getLookAndFeel();
    if (rowIsSelected)
        g.fillAll (lf.findColour (juce::TextEditor::highlightColourId));

    g.setColour (lf.findColour (juce::ListBox::textColourId));
    g.setFont (18.0f);
    g.drawFittedText (rowText (row), 12, 0, width - 24, height, juce::Justification::centredLeft, 1);
}

void DemoList::selectedRowsChanged (int lastRowSelected)
{
    if (lastRowSelected < 0)
        return;

    if (openCategory.isEmpty())
        showCategory (rowText (lastRowSelected));
    else
        contentArea.setDemo (openCategory, lastRowSelected);
}

DemoList::Header::Header (DemoList& ownerList) : owner (ownerList) { setSize (0, 30); }

void DemoList::Header::paint (juce::Graphics& g)
{
    g.setColour (getLookAndFeel().findColour (juce::ListBox::textColourId));
    g.setFont (18.0f);
    g.drawFittedText ("<", getLocalBounds().reduced (20, 0), juce::Justification::centredLeft, 1);
}

void DemoList::Header::mouseUp (const juce::MouseEvent&) { owner.showCategory ({}); }
