#include "editor/MainComp.h"
#include "shell/DemoList.h"
#include "shell/IntroScreen.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/GuiHarness.h"

namespace
{
using shelltest::ShellApplicationTest;

template <typename ChildType>
ChildType* findChild (juce::Component& parent, const std::function<bool (ChildType&)>& matches = {})
{
    for (auto* child : parent.getChildren())
        if (auto* typed = dynamic_cast<ChildType*> (child); typed != nullptr && (! matches || matches (*typed)))
            return typed;
    return nullptr;
}

TEST_F (ShellApplicationTest, TheHomeButtonReplacesThePageByTheHomeScreenWhichSizesAndNamesTheWindow)
{
    app->initialise ({});
    juce::Component::SafePointer<juce::Component> page (root().getContentArea().getPage());

    root().homeButtonClicked();
    EXPECT_EQ (page, nullptr);
    EXPECT_TRUE (root().getContentArea().isShowingHomeScreen());
    EXPECT_EQ (window().getName(), "Orvel-A Corvix");
    EXPECT_EQ (window().getWidth(), 850);
    EXPECT_EQ (window().getHeight(), 600);

    auto* home = root().getContentArea().getPage();
    ASSERT_NE (home, nullptr);
    auto* link = findChild<juce::HyperlinkButton> (*home);
    ASSERT_NE (link, nullptr);
    EXPECT_EQ (link->getButtonText(), "talvor.example");
    EXPECT_EQ (link->getURL().toString (false), "https://talvor.example/");
    EXPECT_NE (findChild<juce::Label> (*home, [] (juce::Label& label) { return label.getText() == "V1.00  Build 43, Dec 22 2023"; }),
               nullptr);
    EXPECT_NE (findChild<juce::Label> (*home, [] (juce::Label& label) { return label.getText() == "Orvel-A Corvix"; }), nullptr);
    auto* logo = findChild<juce::ImageComponent> (*home);
    ASSERT_NE (logo, nullptr);
    EXPECT_TRUE (logo->getImage().isValid()) << "the maker's logo comes from the assets beside the program";

    // A second press while the home screen shows keeps it.
    juce::Component::SafePointer<juce::Component> shownHome (home);
    root().homeButtonClicked();
    EXPECT_NE (shownHome, nullptr);
}

TEST_F (ShellApplicationTest, ThePageListOpensTheCategoryAndShowsItsPageThroughTheContentArea)
{
    app->initialise ({});
    auto* list = dynamic_cast<DemoList*> (root().getSidePanel().getContent());
    ASSERT_NE (list, nullptr);
    juce::Component::SafePointer<juce::Component> firstPage (root().getContentArea().getPage());

    EXPECT_EQ (list->getNumRows(), 1);
    list->getListBox().selectRow (0);
    EXPECT_EQ (list->getOpenCategory(), "Controllers");
    EXPECT_EQ (list->getNumRows(), 1);
    ASSERT_NE (list->getListBox().getHeaderComponent(), nullptr);

    list->getListBox().selectRow (0);
    EXPECT_EQ (firstPage, nullptr) << "the registered page replaces the one shown";
    EXPECT_NE (dynamic_cast<NsOrvelA::MainComp*> (root().getContentArea().getPage()), nullptr);
    EXPECT_FALSE (root().getSidePanel().isPanelShowing());

    list->showCategory ({});
    EXPECT_EQ (list->getListBox().getHeaderComponent(), nullptr);
    EXPECT_EQ (list->getNumRows(), 1);
}

TEST_F (ShellApplicationTest, TheMouseAlongTheLeftEdgeKeepsTheSidePanelHidden)
{
    app->initialise ({});
    for (int y = 0; y < root().getHeight(); y += 50)
    {
        root().hitTest (3, y);
        root().hitTest (40, y);
    }
    EXPECT_FALSE (root().getSidePanel().isPanelShowing());
    EXPECT_EQ (root().getContentArea().getBounds(), root().getLocalBounds());
}

TEST (IntroScreenTest, TheWaveMovesWithEveryFrame)
{
    IntroScreen::LogoDrawComponent wave;
    wave.setSize (400, 200);
    const auto before = wave.createComponentSnapshot (wave.getLocalBounds());
    const auto start = wave.getElapsed();
    // Until the next frame, however long a loaded machine makes the wait for it.
    EXPECT_TRUE (corvix::testing::GuiHarness::pumpUntil ([&] { return wave.getElapsed() > start; }));
    const auto after = wave.createComponentSnapshot (wave.getLocalBounds());

    int changed = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x)
            changed += before.getPixelAt (x, y) != after.getPixelAt (x, y) ? 1 : 0;
    EXPECT_GT (changed, 0);
    EXPECT_TRUE (isIntroScreen (createIntroScreen().get()));
    EXPECT_FALSE (isIntroScreen (&wave));
}
} // namespace
