// Tests that start the built program on a small virtual screen of its own and watch it as the user
// would: where its window appears, what the first pictures of it show, and what its keys do.
#include "tests/shell/ProgramOnOwnDisplay.h"

#include <gtest/gtest.h>

#include <iostream>
#include <mutex>
#include <thread>

#include <unordered_map>

namespace
{
using shelltest::ProgramOnOwnDisplay;

constexpr int generousMs = 30000;

bool showsTheEditor (const std::optional<ProgramOnOwnDisplay::WindowState>& window)
{
    return window.has_value() && window->mapped && window->title.startsWith ("Orvel-A/B Corvix");
}

/** The share of the picture's pixels that have its most common colour. A window not yet painted is
    one colour throughout (black, its background, or the white screen beneath it); in the painted
    editor no colour covers more than about a fifth. */
float shareOfTheCommonestColour (const juce::Image& picture)
{
    std::unordered_map<juce::uint32, int> counts;
    int commonest = 0;
    const juce::Image::BitmapData pixels (picture, juce::Image::BitmapData::readOnly);

    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            commonest = juce::jmax (commonest, ++counts[pixels.getPixelColour (x, y).getARGB()]);

    return static_cast<float> (commonest) / static_cast<float> (juce::jmax (1, pixels.width * pixels.height));
}

class ProgramStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#if JUCE_WINDOWS
        GTEST_SKIP() << "starts the program on a virtual X server of its own, which Windows has not";
#endif
        ASSERT_TRUE (screen.hasDisplay()) << "no virtual X server could be started";
        ASSERT_TRUE (screen.startProgram());
    }

    ProgramOnOwnDisplay::WindowState waitForTheEditor()
    {
        std::optional<ProgramOnOwnDisplay::WindowState> window;
        EXPECT_TRUE (ProgramOnOwnDisplay::waitUntil (
            [&]
            {
                window = screen.programWindow();
                return showsTheEditor (window);
            },
            generousMs))
            << "the program ended: " << ! screen.program().isRunning();
        return window.value_or (ProgramOnOwnDisplay::WindowState{});
    }

    ProgramOnOwnDisplay screen{ 1024, 768 };
};

TEST_F (ProgramStartTest, OnASmallScreenTheWindowFitsCentredAndItsFirstLayoutsReCentreIt)
{
    // The window is first placed at a tenth of the screen; that it shows centred is the start-up
    // layout's re-centring.
    const auto shown = waitForTheEditor();
    const juce::Rectangle<int> screenArea (screen.width, screen.height);
    const auto centred = screenArea.withSizeKeepingCentre (850, 720);
    EXPECT_EQ (shown.bounds.toString(), centred.toString()) << "the whole editor, its command row among it, is on the screen";

    // The user drags the window to another place and size, again and again; the editor takes its
    // own size back in a layout each time. The first five layouts re-centre the window, every later
    // one leaves it where the user put it. How many of the five the start-up used, and when a loaded
    // X server delivers each re-centring, is not the test's business; nor is a drag that meets the
    // program's own resize or move of the layout before, which the framework then takes for its own
    // and answers with no layout of its own. The user drags until the window stays, and so does the
    // test.
    const auto sizeIsTheEditors = [&]
    {
        const auto now = screen.programWindow();
        return now.has_value() && now->bounds.getWidth() == 850 && now->bounds.getHeight() == 720;
    };

    int recentred = 0;
    bool stays = false;

    for (int drag = 0; drag < 15 && ! stays; ++drag)
    {
        const juce::Point<int> place (3 + drag, 4);
        screen.moveAndResize (shown.id, { place.x, place.y, 900 + 10 * drag, 650 });

        if (! ProgramOnOwnDisplay::waitUntil (sizeIsTheEditors, 3000))
            continue;

        juce::Thread::sleep (1000); // a re-centring of this layout would come in this time
        const auto now = screen.programWindow();
        ASSERT_TRUE (now.has_value());
        stays = now->bounds == juce::Rectangle<int> (place.x, place.y, 850, 720);
        recentred += now->bounds == centred ? 1 : 0;
    }

    EXPECT_TRUE (stays) << "the window never stayed where the user put it";
    EXPECT_LE (recentred, 5) << "only the first five layouts re-centre the window";
}

TEST_F (ProgramStartTest, FromTheMomentItIsMappedTheWindowShowsThePaintedEditor)
{
    // Pictures of the window from the moment it is first on the screen until it shows the painted
    // editor; each one is a painted editor, in the editor's window.
    juce::StringArray unpainted;
    juce::String firstTitle;
    const auto start = juce::Time::getMillisecondCounter();

    const auto painted = ProgramOnOwnDisplay::waitUntil (
        [&]
        {
            const auto window = screen.programWindow();

            if (! screen.program().isRunning())
                return true;

            if (! window.has_value() || ! window->mapped)
                return false;

            const auto picture = screen.picture (window->id);

            if (! picture.isValid())
                return false;

            if (firstTitle.isEmpty())
                firstTitle = window->title;

            const auto share = shareOfTheCommonestColour (picture);

            if (share < 0.5f)
                return true;

            unpainted.add (juce::String (juce::Time::getMillisecondCounter() - start) + " ms after the start, \"" + window->title + "\", "
                           + juce::String (juce::roundToInt (share * 100.0f)) + "% one colour");
            return false;
        },
        generousMs);

    ASSERT_TRUE (painted && screen.program().isRunning()) << "the program ended or showed no painted window";
    EXPECT_TRUE (unpainted.isEmpty()) << "shown unpainted:\n" << unpainted.joinIntoString ("\n");
    EXPECT_TRUE (firstTitle.startsWith ("Orvel-A/B Corvix")) << "first shown as \"" << firstTitle << "\", before the editor existed";
}

TEST_F (ProgramStartTest, CtrlQQuitsFromTheFirstMomentTheEditorIsShown)
{
    // Nothing clicked first: the editor has the keyboard focus as soon as its window is the one the
    // keys go to (the window is shown a moment before the program makes it the active one).
    const auto shown = waitForTheEditor();
    ASSERT_TRUE (ProgramOnOwnDisplay::waitUntil ([&] { return screen.hasInputFocus (shown.id); }, generousMs));
    // A key pressed in the very moment the window becomes the active one can come before the
    // program has seen that it is; a user presses again, and so does this test.
    int presses = 0;
    const auto quit = ProgramOnOwnDisplay::waitUntil (
        [&]
        {
            if (! screen.program().isRunning())
                return true;

            screen.typeKey ("q", true);
            ++presses;
            return screen.program().waitForProcessToFinish (1000);
        },
        generousMs);
    ASSERT_TRUE (quit) << "Ctrl+Q never reached the editor";
    std::cout << "Ctrl+Q pressed " << presses << " times\n";
    EXPECT_EQ (screen.program().getExitCode(), 0u);
}

/** The same picture, but for shades too faint to see (the background beneath a button is drawn
    stretched, and its edge pixels vary by a step from one start to the next). */
bool samePictures (const juce::Image& first, const juce::Image& second)
{
    if (! first.isValid() || first.getBounds() != second.getBounds())
        return false;

    const auto near = [] (juce::uint8 a, juce::uint8 b) { return std::abs (int (a) - int (b)) <= 8; };

    for (int y = 0; y < first.getHeight(); ++y)
        for (int x = 0; x < first.getWidth(); ++x)
        {
            const auto a = first.getPixelAt (x, y), b = second.getPixelAt (x, y);

            if (! near (a.getRed(), b.getRed()) || ! near (a.getGreen(), b.getGreen()) || ! near (a.getBlue(), b.getBlue()))
                return false;
        }

    return true;
}

TEST_F (ProgramStartTest, SaveAsDefaultAndCtrlQAtOnceKeepTheMapForTheNextStart)
{
    auto shown = waitForTheEditor();
    // Where the editor lays out the first slot's option button for the second slot, and "SAVE AS
    // DEFAULT" (the editor's and the mixer section's own tests pin the layout).
    const juce::Rectangle<int> option (367, 85, 16, 16);
    const juce::Point<int> saveAsDefault (572, 696);
    const auto onScreen = [&] (juce::Point<int> inWindow)
    { return juce::StringArray ("mousemove", juce::String (shown.bounds.getX() + inWindow.x), juce::String (shown.bounds.getY() + inWindow.y)); };
    const auto optionShown = [&] { return screen.picture (shown.id).getClippedImage (option); };

    const auto off = optionShown();
    // A click sent before the program takes input is lost, as a user's is on a window still
    // starting (a slow machine, an instrumented build): the pointer goes over the button, nudged
    // until the button lights up under it, and only then clicks.
    int nudges = 0;
    ASSERT_TRUE (ProgramOnOwnDisplay::waitUntil (
        [&]
        {
            screen.xdotool (onScreen (option.getCentre() + juce::Point<int> (++nudges % 2, 0)));
            return ProgramOnOwnDisplay::waitUntil ([&] { return ! samePictures (optionShown(), off); }, 500);
        },
        generousMs))
        << "the option button never lit up under the pointer";
    ASSERT_TRUE (screen.xdotool ({ "click", "1", "mousemove", "0", "0" })); // not over the button, which it would light up
    juce::Image on;
    ASSERT_TRUE (ProgramOnOwnDisplay::waitUntil (
        [&]
        {
            const auto previous = std::exchange (on, optionShown());
            return ! samePictures (on, off) && samePictures (on, previous);
        },
        generousMs))
        << "the click did not reach the option button";

    // The device-watch timer would store the map at its next tick, half a second away at most;
    // the program is asked to end long before.
    auto clickAndQuit = onScreen (saveAsDefault);
    clickAndQuit.addArray ({ "click", "1", "key", "ctrl+q" });
    ASSERT_TRUE (screen.xdotool (clickAndQuit));
    ASSERT_TRUE (screen.program().waitForProcessToFinish (generousMs));
    EXPECT_EQ (screen.program().getExitCode(), 0u);
    ASSERT_TRUE (screen.commonSettingsFile().existsAsFile()) << "nothing was stored";

    ASSERT_TRUE (screen.startProgram());
    shown = waitForTheEditor();
    EXPECT_TRUE (ProgramOnOwnDisplay::waitUntil ([&] { return samePictures (optionShown(), on); }, generousMs))
        << "the next start does not show the map that was stored";
}

TEST_F (ProgramStartTest, AMissingMidiSequencerIsReportedOnceAndThenWatchedForQuietly)
{
    // What the program prints, read as it comes.
    std::mutex guard;
    std::string printed;
    std::thread reader (
        [&]
        {
            // A byte at a time: a read waits until it has all it asked for.
            for (char byte; screen.program().readProcessOutput (&byte, 1) == 1;)
            {
                const std::lock_guard<std::mutex> lock (guard);
                printed += byte;
            }
        });
    const auto lines = [&]
    {
        const std::lock_guard<std::mutex> lock (guard);
        return juce::StringArray::fromLines (juce::String (printed));
    };
    const auto aboutTheSequencer = [] (const juce::StringArray& text)
    {
        int count = 0;

        for (const auto& line : text)
            count += line.containsIgnoreCase ("sequencer") || line.contains ("/dev/snd/seq") ? 1 : 0;

        return count;
    };

    // The device watch looks for MIDI ports twice a second once it runs, from 2 s after the start;
    // a machine without a sequencer device is told so at its first look, and not at the next ones.
    waitForTheEditor();
    const auto withoutSequencer = ! juce::File ("/dev/snd/seq").exists();

    if (withoutSequencer)
    {
        EXPECT_TRUE (ProgramOnOwnDisplay::waitUntil ([&] { return aboutTheSequencer (lines()) > 0; }, generousMs));
    }

    juce::Thread::sleep (3000); // the next looks, six of them on a quiet machine
    screen.program().kill();
    reader.join();
    const auto all = lines();
    int alsaLines = 0;

    for (const auto& line : all)
        alsaLines += line.startsWith ("ALSA lib") ? 1 : 0;

    EXPECT_EQ (aboutTheSequencer (all), withoutSequencer ? 1 : 0) << all.joinIntoString ("\n");
    EXPECT_EQ (alsaLines, 0) << all.joinIntoString ("\n");
}
} // namespace
