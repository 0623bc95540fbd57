#include "devices/PortNames.h"
#include "editor/EditorCommands.h"
#include "editor/MainComp.h"
#include "link/MyTimer.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "shell/DemoTaskbarComponent.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"
#include "tests/support/SystemTrayOwner.h"

namespace
{
using shelltest::ShellApplicationTest;
using Window = DemoRunnerApplication::MainAppWindow;

TEST (MainWindowBoundsTest, TheWindowTakesItsPlaceAndSizeFromTheWorkArea)
{
    EXPECT_EQ (Window::initialBounds ({ 0, 0, 2560, 1440 }), juce::Rectangle<int> (256, 144, 1280, 1008));
    EXPECT_EQ (Window::initialBounds ({ 0, 0, 1280, 720 }), juce::Rectangle<int> (128, 72, 850, 600));
    EXPECT_EQ (Window::initialBounds ({ 0, 0, 1366, 768 }), juce::Rectangle<int> (136, 76, 850, 600)) << "truncated";
}

// Counts how often a component is deleted.
struct DeletionCounter final : juce::ComponentListener
{
    int deletions = 0;
    void componentBeingDeleted (juce::Component& component) override
    {
        ++deletions;
        component.removeComponentListener (this);
    }
};

TEST_F (ShellApplicationTest, AnOrdinaryStartOpensOneWindowWithMinimiseAndCloseButtonsOnly)
{
    app->initialise ({});

    // The window's first title ("Orvel-A Corvix V1.00") is replaced by the editor's.
    EXPECT_EQ (window().getName(), NsOrvelA::MainComp::windowTitle());
    EXPECT_EQ (window().getWidth(), 850);
    EXPECT_EQ (window().getHeight(), 720);
    EXPECT_TRUE (window().isUsingNativeTitleBar());
    EXPECT_TRUE (window().isVisible());
    const auto flags = window().getDesktopWindowStyleFlags();
    EXPECT_NE (flags & juce::ComponentPeer::windowHasMinimiseButton, 0);
    EXPECT_NE (flags & juce::ComponentPeer::windowHasCloseButton, 0);
    EXPECT_EQ (flags & juce::ComponentPeer::windowHasMaximiseButton, 0);
    EXPECT_EQ (window().getConstrainer()->getMinimumWidth(), 400);
    EXPECT_EQ (window().getConstrainer()->getMaximumHeight(), 5000);

    // The page fills the whole root component; the side panel stays hidden off the left edge.
    auto& content = root().getContentArea();
    EXPECT_EQ (content.getBounds(), root().getLocalBounds());
    ASSERT_NE (content.getPage(), nullptr);
    EXPECT_EQ (content.getPage()->getWidth(), root().getWidth());
    EXPECT_FALSE (root().getSidePanel().isPanelShowing());
    EXPECT_LE (root().getSidePanel().getRight(), 0);
    EXPECT_TRUE (root().getRenderingEngines().contains ("OpenGL Renderer"));
    EXPECT_NE (root().getCurrentEngineIndex(), root().getRenderingEngines().size() - 1) << "OpenGL stays detached";

    ASSERT_EQ (pageCategories().size(), 1u) << "the program has its resources folder beside it";
    EXPECT_EQ (pageCategories()[0].pages[0].pageFile.getFileName(), "OrvelA");
}

TEST_F (ShellApplicationTest, WithoutATrayManagerNoTrayEntryIsMade)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "Windows' notification area is always there: a desktop without a tray is X's";
#endif
    app->initialise ({});
    EXPECT_EQ (window().getTrayComponent(), nullptr);
}

class ShellWithTrayTest : public ShellApplicationTest
{
protected:
    talvor::test::SystemTrayOwner tray;
    talvor::test::ScriptedDialogs dialogs;

    void clickTrayEntry()
    {
        auto* entry = window().getTrayComponent();
        ASSERT_NE (entry, nullptr);
        auto source = juce::Desktop::getInstance().getMainMouseSource();
        const auto now = juce::Time::getCurrentTime();
        const juce::MouseEvent click (source, {}, juce::ModifierKeys::leftButtonModifier, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, entry, entry, now,
                                      {}, now, 1, false);
        entry->mouseDown (click);
        talvor::waitMs (150); // the menu opens about 50 ms after the click
        dialogs.deliverAsyncAnswers();
    }
};

TEST_F (ShellWithTrayTest, TheTrayMenuOffersQuitWhichEndsTheProgramWhileDismissingChangesNothing)
{
    ASSERT_TRUE (tray.owns());
    app->initialise ({});
    ASSERT_NE (window().getTrayComponent(), nullptr);

    clickTrayEntry();
    ASSERT_EQ (dialogs.shown().size(), 1u);
    EXPECT_EQ (dialogs.last().kind, talvor::test::ShownDialog::Kind::popupMenuAsync);
    EXPECT_EQ (dialogs.last().menuItems, juce::StringArray ("1 Quit"));
    EXPECT_EQ (loopStops, 0) << "a dismissed menu changes nothing";
    EXPECT_NE (app->getMainWindow(), nullptr);

    dialogs.answerMenu (1);
    clickTrayEntry();
    EXPECT_EQ (loopStops, 1);

    app->shutdown();
    EXPECT_EQ (app->getMainWindow(), nullptr);
    EXPECT_EQ (releases, 1);
    EXPECT_TRUE (windowGoneAtRelease) << "the window goes before the Host and the timer";
}

TEST_F (ShellWithTrayTest, TheCloseButtonDeletesTheTrayEntryAndTheRootComponentExactlyOnce)
{
    app->initialise ({});
    DeletionCounter trayDeletions, rootDeletions;
    window().getTrayComponent()->addComponentListener (&trayDeletions);
    root().addComponentListener (&rootDeletions);

    window().closeButtonPressed();
    EXPECT_EQ (trayDeletions.deletions, 1);
    EXPECT_EQ (window().getTrayComponent(), nullptr);
    EXPECT_EQ (loopStops, 1);

    app->shutdown(); // what the framework does once the loop has stopped
    app->shutdown(); // and again, as the quit sequence may
    EXPECT_EQ (rootDeletions.deletions, 1);
    EXPECT_EQ (trayDeletions.deletions, 1);
    EXPECT_EQ (app->getMainWindow(), nullptr);
}

TEST_F (ShellApplicationTest, AQuitRightAfterSaveAsDefaultTellsTheUnitsAndStoresTheMapFirst)
{
    const talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    corvix::testing::SimulatedUnit unit (ports, {});
    app->initialise ({});
    NsOrvelA::deviceWatchTimer()->stopTimer(); // its next tick is further away than the user's quit

    NsOrvelA::slotDawIds[0] = 2; // the editor's refreshes write the slots' workstations into the map
    host->getStateTree().slotNode (1, 1).setProperty (NsOrvelA::mapIds::current, 2, nullptr);
    host->getStateTree().controlEntry (40, 1, 1).setProperty (NsOrvelA::mapIds::name, "kept at the quit", nullptr);
    NsOrvelA::slotDirty[0] = 1;
    NsOrvelA::editorCommands::saveAsDefault();
    // The window's close button; the tray's "Quit" and the system's request to quit go the same way.
    window().closeButtonPressed();
    EXPECT_EQ (loopStops, 1);
    EXPECT_EQ (unit.countChannelMessages (0xEC, 0x2D), 1) << "the units store their defaults";
    EXPECT_EQ (unit.cellText (1, 40).trim(), "kept at the quit") << "the edit went to the units before they stored it";
    EXPECT_EQ (makeHost().getStateTree().controlEntry (40, 1, 1).getProperty (NsOrvelA::mapIds::name), juce::var ("kept at the quit"))
        << "the next start shows the map";
}

/** What a quit during an upload left: what the unit received, and the boxes shown. */
struct QuitDuringUpload
{
    bool quitCameDuringTheTransfer = false;
    std::vector<corvix::testing::SimulatedUnit::ReceivedMessage> received;
    juce::StringArray boxes;
};

class QuitDuringUploadTest : public ShellApplicationTest
{
protected:
    /** The user edits slot 1, clicks "SAVE AS DEFAULT" and quits at once; the device-watch timer's
        next tick uploads the edit first, and the quit comes during that upload, as its first table
        block goes out. With holdTransfer, the unit's port takes that block only once the program
        has ended, as a unit that stalls the transfer would. */
    QuitDuringUpload quitDuringUpload (const std::function<void()>& quit, bool holdTransfer)
    {
        QuitDuringUpload seen;
        talvor::test::ScriptedDialogs dialogs;
        const talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
        corvix::testing::SimulatedUnit unit (ports, {});
        app->initialise ({});
        auto* timer = NsOrvelA::deviceWatchTimer();
        timer->stopTimer();

        NsOrvelA::slotDawIds[0] = 2; // the editor's refreshes write the slots' workstations into the map
        host->getStateTree().slotNode (1, 1).setProperty (NsOrvelA::mapIds::current, 2, nullptr);
        host->getStateTree().controlEntry (40, 1, 1).setProperty (NsOrvelA::mapIds::name, "kept at the quit", nullptr);
        NsOrvelA::slotDirty[0] = 1;
        NsOrvelA::editorCommands::saveAsDefault();

        bool quitSent = false;
        unit.onMessage = [&] (const corvix::testing::SimulatedUnit::ReceivedMessage& message)
        {
            if (quitSent || message.bytes.size() < 6 || message.bytes[0] != 0xF0
                || message.bytes[5] != corvix::testing::SimulatedUnit::tableBlock)
                return;

            quitSent = true;
            juce::MessageManager::callAsync (
                [&]
                {
                    seen.quitCameDuringTheTransfer = NsOrvelA::transferBusy != 0;
                    quit();
                });

            if (holdTransfer)
                corvix::testing::waitUntil ([this] { return loopStops > 0; });
        };

        timer->startTimer (1);
        EXPECT_TRUE (corvix::testing::waitUntil ([this] { return loopStops > 0; })) << "the program never ended";
        timer->stopTimer();
        unit.onMessage = nullptr;
        seen.received = unit.received();
        seen.boxes = dialogs.messages();
        return seen;
    }

    /** Where the unit was told to store its defaults (0xEC 0x2D), -1 when never. */
    static int whereToldToStore (const std::vector<corvix::testing::SimulatedUnit::ReceivedMessage>& received)
    {
        for (size_t i = 0; i < received.size(); ++i)
            if (received[i].bytes.size() == 3 && received[i].bytes[0] == 0xEC && received[i].bytes[1] == 0x2D)
                return (int) i;

        return -1;
    }

    static int lastSysEx (const std::vector<corvix::testing::SimulatedUnit::ReceivedMessage>& received)
    {
        int last = -1;
        for (size_t i = 0; i < received.size(); ++i)
            if (! received[i].bytes.empty() && received[i].bytes[0] == 0xF0)
                last = (int) i;

        return last;
    }

    juce::var storedName() { return makeHost().getStateTree().controlEntry (40, 1, 1).getProperty (NsOrvelA::mapIds::name); }

    /** The quit waited for the upload, then the units were told and the map stored, silently. */
    void expectTheUnitsToldAfterTheUploadAndTheMapStored (const QuitDuringUpload& seen)
    {
        ASSERT_TRUE (seen.quitCameDuringTheTransfer);
        EXPECT_EQ (loopStops, 1);
        EXPECT_GT (lastSysEx (seen.received), 0);
        EXPECT_GT (whereToldToStore (seen.received), lastSysEx (seen.received)) << "the units store their defaults after the upload";
        EXPECT_TRUE (seen.boxes.isEmpty()) << seen.boxes.joinIntoString ("\n");
        EXPECT_EQ (storedName(), juce::var ("kept at the quit")) << "the next start shows the map";
    }
};

TEST_F (QuitDuringUploadTest, TheCloseButtonDuringTheUploadEndsTheProgramAfterItWithTheUnitsToldAndTheMapStored)
{
    expectTheUnitsToldAfterTheUploadAndTheMapStored (quitDuringUpload ([this] { window().closeButtonPressed(); }, false));
}

TEST_F (QuitDuringUploadTest, CtrlQDuringTheUploadEndsTheProgramAfterItWithTheUnitsToldAndTheMapStored)
{
    const auto ctrlQ = [this]
    { root().getContentArea().getPage()->keyPressed (juce::KeyPress ('q', juce::ModifierKeys::ctrlModifier, 0)); };
    expectTheUnitsToldAfterTheUploadAndTheMapStored (quitDuringUpload (ctrlQ, false));
}

TEST_F (QuitDuringUploadTest, ATransferStillBusyAtTheLongestWaitLeavesTheUnitsUntoldWhichABoxSays)
{
    const auto seen = quitDuringUpload ([this] { window().closeButtonPressed(); }, true);

    ASSERT_TRUE (seen.quitCameDuringTheTransfer);
    EXPECT_EQ (whereToldToStore (seen.received), -1);
    EXPECT_EQ (seen.boxes, juce::StringArray ("The map was stored in the settings file. The units were not told to store their "
                                              "defaults: a transfer to them had not ended."));
    EXPECT_EQ (storedName(), juce::var ("kept at the quit"));
}

TEST_F (ShellApplicationTest, AQuitWhileAHandlerWaitsInTheMessageLoopLeavesThePageAliveUntilTheHandlerReturns)
{
    app->initialise ({});
    juce::Component::SafePointer<juce::Component> page (root().getContentArea().getPage());
    ASSERT_NE (page, nullptr);

    // A handler of the page waits (as the firmware command and SEND DATA do); during the wait the
    // user closes the window.
    juce::MessageManager::callAsync ([this] { window().closeButtonPressed(); });
    talvor::waitMs (120);
    EXPECT_EQ (loopStops, 1);
    ASSERT_NE (page, nullptr) << "the handler resumes on a living page";
    page->repaint();

    app->shutdown();
    EXPECT_EQ (page, nullptr);
}

TEST_F (ShellApplicationTest, TheContentAreaReCentresTheWindowDuringItsFirstFiveLayoutsOnly)
{
    app->initialise ({});
    auto& shown = window();
    // The editor sets the window's size on each of its own layouts, which are layouts of the
    // content area too; a plain page leaves the content area's own count to be seen.
    root().getContentArea().setComponent (std::make_unique<juce::Component>());
    DemoContentComponent::resetRecentringCount();

    juce::Array<bool> recentred;
    for (int layout = 0; layout < 8; ++layout)
    {
        shown.setBounds (3, 4, 900 + 10 * layout, 650);
        const auto offCentre = shown.getBounds().getCentre() - shown.getParentMonitorArea().getCentre();
        recentred.add (shown.getPosition() != juce::Point<int> (3, 4) && std::abs (offCentre.x) <= 1 && std::abs (offCentre.y) <= 1);
    }
    EXPECT_EQ (recentred, juce::Array<bool> (true, true, true, true, true, false, false, false));
}
} // namespace
