#pragma once

#include "shell/DemoContentComponent.h"

#include <juce_opengl/juce_opengl.h>

/** The main window's content: the content area with the page, over it a hidden side panel with
    the page list and a "Menu" button of no height. Every request the program makes of the side
    panel is a request to hide, so the page is all the user sees. */
class MainComponent final : public juce::Component
{
public:
    MainComponent();
    ~MainComponent() override;

    /** Whether the constructor made the main page, which the window needs before it takes it. */
    bool isPageCreated() const { return pageCreated; }

    void homeButtonClicked();
    void showSettings();
    void setRenderingEngine (int index);

    DemoContentComponent& getContentArea() { return *contentArea; }
    juce::SidePanel& getSidePanel() { return sidePanel; }
    const juce::StringArray& getRenderingEngines() const { return renderingEngines; }
    int getCurrentEngineIndex() const { return currentEngineIndex; }

    void parentHierarchyChanged() override;
    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void pageChanged (bool isHeavyweight);
    void hideSidePanel() { sidePanel.showOrHide (false); }

    bool pageCreated{ false };
    std::unique_ptr<DemoContentComponent> contentArea;
    juce::SidePanel sidePanel{ {}, 200, true };
    juce::OpenGLContext openGLContext;
    juce::StringArray renderingEngines;
    juce::ComponentPeer* currentPeer{ nullptr };
    int currentEngineIndex{ -1 };
    juce::TextButton menuButton{ "Menu" };
    int sidePanelWidth{ 0 };
    bool showingHeavyweightPage{ false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
