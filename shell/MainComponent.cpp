#include "shell/MainComponent.h"

#include "shell/DemoList.h"
#include "shell/PageRegistry.h"
#include "shell/SidePanelHeader.h"

namespace
{
constexpr int menuButtonWidth = 150;
constexpr int leftEdgeZone = 12;
} // namespace

MainComponent::MainComponent()
{
    contentArea = std::make_unique<DemoContentComponent> (*this, [this] (bool isHeavyweight) { pageChanged (isHeavyweight); });

    sidePanel.setContent (new DemoList (*contentArea), true);
    sidePanel.setTitleBarComponent (new SidePanelHeader (*this), true, true);

    addAndMakeVisible (*contentArea);
    addAndMakeVisible (menuButton);
    addAndMakeVisible (sidePanel);

    menuButton.onClick = [this] { hideSidePanel(); };

    sidePanel.onPanelMove = [this]
    {
        sidePanelWidth = juce::jmax (0, sidePanel.getRight());
        if (showingHeavyweightPage)
            resized();
    };

    sidePanel.onPanelShowHide = [this] (bool isShowing)
    {
        if (isShowing)
        {
            sidePanelWidth = juce::jmax (0, sidePanel.getWidth());
            if (showingHeavyweightPage)
                resized();
        }
        else
        {
            sidePanelWidth = 0;
            if (showingHeavyweightPage)
                juce::Timer::callAfterDelay (250,
                                             [safeThis = juce::Component::SafePointer<MainComponent> (this)]
                                             {
                                                 if (safeThis != nullptr)
                                                     safeThis->resized();
                                             });
        }
    };

    if (auto page = createMainPage())
    {
        contentArea->setComponent (std::move (page));
        pageCreated = true;
    }
}

MainComponent::~MainComponent()
{
    // The page (the editor) goes first, while everything it may reach still exists.
    contentArea->clearPage();
    sidePanel.onPanelMove = nullptr;
    sidePanel.onPanelShowHide = nullptr;
    openGLContext.detach();
}

void MainComponent::pageChanged (bool isHeavyweight)
{
    hideSidePanel();
    if (isHeavyweight)
        setRenderingEngine (0);
    showingHeavyweightPage = isHeavyweight;
    resized();
}

void MainComponent::homeButtonClicked()
{
    if (auto* list = dynamic_cast<DemoList*> (sidePanel.getContent()))
        list->showCategory ({});

    if (! contentArea->isShowingHomeScreen())
    {
        contentArea->clearCurrentDemo();
        if (showingHeavyweightPage)
        {
            showingHeavyweightPage = false;
            resized();
        }
    }
}

void MainComponent::showSettings() { contentArea->setCurrentTabIndex (2); }

void MainComponent::setRenderingEngine (int index)
{
    if (index == currentEngineIndex)
        return;

    if (index == renderingEngines.size() - 1)
    {
        if (! showingHeavyweightPage)
            if (auto* top = getTopLevelComponent())
                openGLContext.attachTo (*top);
    }
    else
    {
        openGLContext.detach();
        if (auto* peer = getPeer())
            peer->setCurrentRenderingEngine (index);
    }
    currentEngineIndex = index;
}

void MainComponent::parentHierarchyChanged()
{
    auto* peer = getPeer();
    if (peer == currentPeer)
        return;

    currentPeer = peer;
    const auto previousName = renderingEngines[currentEngineIndex];

    renderingEngines.clear();
    if (peer != nullptr)
        renderingEngines = peer->getAvailableRenderingEngines();
    renderingEngines.add ("OpenGL Renderer");

    auto index = renderingEngines.indexOf (previousName);
    if (index < 0)
        index = peer != nullptr ? peer->getCurrentRenderingEngine() : 0;

    currentEngineIndex = -1;
    setRenderingEngine (index);
}

bool MainComponent::hitTest (int x, int y)
{
    if (menuButton.getBounds().contains (x, y))
    {
        if (! sidePanel.isPanelShowing())
            hideSidePanel();
    }
    else if (! sidePanel.getBounds().contains (x, y))
    {
        if (x <= leftEdgeZone && ! sidePanel.isPanelShowing())
            hideSidePanel();
        else if (x > leftEdgeZone && sidePanel.isPanelShowing())
            hideSidePanel();
    }
    return juce::Component::hitTest (x, y);
}

void MainComponent::paint (juce::Graphics& g) { g.fillAll (getLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId)); }

void MainComponent::resized()
{
    auto bounds = getLocalBounds();
    menuButton.setBounds (0, 0, menuButtonWidth, contentArea->getTabBarDepth());

    if (showingHeavyweightPage)
    {
        bounds.removeFromLeft (sidePanelWidth);
        contentArea->setTabBarIndent (juce::jmax (0, menuButtonWidth - sidePanelWidth));
    }
    else
    {
        contentArea->setTabBarIndent (menuButtonWidth);
    }
    contentArea->setBounds (bounds);
}
