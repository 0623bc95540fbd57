#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class DemoContentComponent;

/** The side panel's page list: the registry's categories, or the pages of the open category. */
class DemoList final : public juce::Component, private juce::ListBoxModel
{
public:
    explicit DemoList (DemoContentComponent& contentArea);
    ~DemoList() override;

    /** Opens a category (the empty name returns to the list of categories). */
    void showCategory (const juce::String& name);
    const juce::String& getOpenCategory() const { return openCategory; }
    juce::ListBox& getListBox() { return list; }

    void resized() override;

    // ListBoxModel
    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected) override;
    void selectedRowsChanged (int lastRowSelected) override;

    /** The bar above the pages of a category, whose "<" returns to the categories. */
    class Header final : public juce::Component
    {
    public:
        explicit Header (DemoList& owner);

        void paint (juce::Graphics& g) override;
        void mouseUp (const juce::MouseEvent& event) override;

    private:
        DemoList& owner;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Header)
    };

private:
    juce::String rowText (int row) const;

    DemoContentComponent& contentArea;
    juce::ListBox list;
    juce::String openCategory;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DemoList)
};
