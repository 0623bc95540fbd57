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

void DemoContentComponent::resized()
{
    juce::TabbedComponent::resized();

    if (tabBarIndent > 0)
        getTabbedButtonBar().setBounds (getTabbedButtonBar().getBounds().withTrimmedLeft (tabBarIndent));

    if (recentringLayouts >= recentringLayoutLimit)
        return;
    ++recentringLayouts;
    if (auto* window = getTopLevelComponent(); window != nullptr && window != this)
        window->centreWithSize (window->getWidth(), window->getHeight());
}
