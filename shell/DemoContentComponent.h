#pragma once

#include "shell/CodeContent.h"
#include "shell/DemoContent.h"

#include <functional>

/** The content area: a tabbed component whose one tab, with a tab bar of no height, holds the
    page shown, so the page fills the whole area. It switches pages for the page list, shows the
    home screen when its page is cleared, and reports every change of page. */
class DemoContentComponent final : public juce::TabbedComponent
{
public:
    using PageChangedCallback = std::function<void (bool isHeavyweight)>;

    DemoContentComponent (juce::Component& rootComponent, PageChangedCallback pageChanged);
    ~DemoContentComponent() override;

    /** Shows the page, which the content area then owns. */
    bool setComponent (std::unique_ptr<juce::Component> page);

    /** Shows the registered page at that index of that category; an unknown category, an index
        outside it, or the page already shown do nothing. */
    void setDemo (const juce::String& category, int index);

    bool isShowingHomeScreen() const;
    void clearCurrentDemo();
    void clearPage();
    void setTabBarIndent (int indent) { tabBarIndent = indent; }

    juce::Component* getPage() const { return pageHolder->getPage(); }
    const CodeContent& getCodeView() const { return *codeView; }

    /** The first layouts of any content area inside its window re-centre the window; this starts
        the count again. */
    static void resetRecentringCount();

    void mouseDown (const juce::MouseEvent& event) override;
    void lookAndFeelChanged() override;
    void resized() override;
    void parentHierarchyChanged() override;

private:
    static juce::String sourceTextOf (const juce::File& pageFile);

    PageChangedCallback pageChangedCallback;
    std::unique_ptr<DemoContent> pageHolder;
    std::unique_ptr<CodeContent> codeView;
    juce::String currentCategory;
    int currentPageIndex{ -1 };
    int tabBarIndent{ 0 };
    bool layingOut{ false };
    const juce::Component* arrivedIn{ nullptr }; // compared only: the top-level component it was last in

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DemoContentComponent)
};
