#include "shell/DemoContentComponent.h"

#include "shell/IntroScreen.h"
#include "shell/PageRegistry.h"

namespace
{
int recentringLayouts = 0;
constexpr int recentringLayoutLimit = 5;
} // namespace

DemoContentComponent::DemoContentComponent (juce::Component&, PageChangedCallback pageChanged)
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop), pageChangedCallback (std::move (pageChanged)),
      pageHolder (std::make_unique<DemoContent>()), codeView (std::make_unique<CodeContent>())
{
    addTab (" ", juce::Colours::transparentBlack, pageHolder.get(), false);
    setTabBarDepth (0);
    setOutline (0);
    setIndent (0);
    lookAndFeelChanged();
}

DemoContentComponent::~DemoContentComponent() { clearTabs(); }

bool DemoContentComponent::setComponent (std::unique_ptr<juce::Component> page)
{
    pageHolder->setComponent (std::move (page));
    return true;
}

juce::String DemoContentComponent::sourceTextOf (const juce::File& pageFile)
{
    auto lines = juce::StringArray::fromLines (pageFile.loadFileAsString());
    const auto metadataEnd = lines.indexOf (" END_JUCE_PIP_METADATA");
    if (metadataEnd >= 0)
        lines.removeRange (0, metadataEnd + 3);
    return lines.joinIntoString ("\n");
}

void DemoContentComponent::setDemo (const juce::String& category, int index)
{
    if (category == currentCategory && index == currentPageIndex)
        return;

    // Looked up without adding: an unknown category or an index outside it shows nothing new.
    const auto* found = findCategory (category);
    if (found == nullptr || ! juce::isPositiveAndBelow (index, (int) found->pages.size()))
        return;
    const auto entry = found->pages[(size_t) index];

    codeView->setText (sourceTextOf (entry.pageFile));
    pageHolder->setComponent (std::unique_ptr<juce::Component> (entry.factory ? entry.factory() : nullptr));

    if (pageChangedCallback)
        pageChangedCallback (entry.isHeavyweight);
    if (getCurrentTabIndex() == getNumTabs() - 1)
        setCurrentTabIndex (0);

    currentCategory = category;
    currentPageIndex = index;
}

bool DemoContentComponent::isShowingHomeScreen() const { return isIntroScreen (pageHolder->getPage()) && getCurrentTabIndex() == 0; }

void DemoContentComponent::clearCurrentDemo()
{
    pageHolder->showHomeScreen();
    codeView->showDefaultText();
    if (pageChangedCallback)
        pageChangedCallback (false);
    if (getCurrentTabIndex() == getNumTabs() - 1)
        setCurrentTabIndex (0);
    resized();
    currentCategory = {};
    currentPageIndex = -1;
}

void DemoContentComponent::clearPage()
{
    pageHolder->setComponent (nullptr);
    if (pageChangedCallback)
        pageChangedCallback (false);
}

void DemoContentComponent::resetRecentringCount() { recentringLayouts = 0; }

void DemoContentComponent::mouseDown (const juce::MouseEvent& event) { juce::Component::mouseDown (event); }

void DemoContentComponent::lookAndFeelChanged()
{
    const auto background = findColour (juce::ResizableWindow::backgroundColourId);
    for (int i = 0; i < getNumTabs(); ++i)
        setTabBackgroundColour (i, background);
}

void DemoContentComponent::parentHierarchyChanged()
{
    // Arriving in its window, at the size the window took from the content, is the content
    // area's first layout there: the window, placed before it knew its size, is centred.
    // Other changes of the hierarchy (the window being shown among them) are no layout.
    auto* window = getTopLevelComponent();
    const auto arrived = window != this && window->isOnDesktop() && window != arrivedIn;
    arrivedIn = window;

    if (arrived)
        resized();
}

void DemoContentComponent::resized()
{
    const auto outermost = ! layingOut;

    {
        const juce::ScopedValueSetter<bool> during (layingOut, true);
        juce::TabbedComponent::resized();

        if (tabBarIndent > 0)
            getTabbedButtonBar().setBounds (getTabbedButtonBar().getBounds().withTrimmedLeft (tabBarIndent));
    }

    // A layout that the page's own layout sets off (the editor gives the window its size) is part
    // of the one that set it off. Only layouts inside the window count: those made while the
    // content area is built, or before its root component is in the window, would use the count
    // up unseen.
    auto* window = getTopLevelComponent();

    if (! outermost || window == this || ! window->isOnDesktop() || recentringLayouts >= recentringLayoutLimit)
        return;

    ++recentringLayouts;
    window->centreWithSize (window->getWidth(), window->getHeight());
}
