#include "tests/editor/KeysOnOwnDisplay.h"

#include "tests/support/GuiHarness.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#if ! defined(_WIN32)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#endif

namespace corvix::testing
{
namespace
{
const char* const childMark = "CORVIX_TEST_ON_OWN_DISPLAY";
} // namespace

bool onOwnDisplay() { return juce::SystemStats::getEnvironmentVariable (childMark, {}).isNotEmpty(); }

#if defined(_WIN32)
void runThisTestOnOwnDisplay() { GTEST_SKIP() << "the keys are pressed through an X server of the test's own, which Windows has not"; }

TestKeyboard::TestKeyboard() = default;
TestKeyboard::~TestKeyboard() = default;
void TestKeyboard::setNumLock (bool) {}
bool TestKeyboard::waitForFocus (juce::Component&) { return false; }
void TestKeyboard::press (const std::vector<const char*>&) {}
void TestKeyboard::release (const std::vector<const char*>&) {}
void TestKeyboard::send (const char*, bool) {}
#else
namespace
{
Display* connection (void* display) { return static_cast<Display*> (display); }

/** A virtual X server on a display number no other server on the machine holds, picked from a wide
    range so that test programs running side by side do not meet; with one connection kept open,
    so that the server keeps its state between its other clients. */
class OwnXServer final
{
public:
    OwnXServer()
    {
        juce::Random random;

        for (int attempt = 0; attempt < 20 && display == nullptr; ++attempt)
        {
            number = 3400 + random.nextInt (3000);

            if (juce::File (lockFile()).exists())
                continue;

            name = ":" + juce::String (number);

            if (! server.start (juce::StringArray ("Xvfb", name, "-screen", "0", "800x600x24", "-nolisten", "tcp"), 0))
                return;

            GuiHarness::pumpUntil (
                [this]
                {
                    display = XOpenDisplay (name.toRawUTF8());
                    return display != nullptr || ! server.isRunning();
                },
                20000);

            if (display == nullptr)
                stop();
        }
    }

    ~OwnXServer()
    {
        if (display != nullptr)
            XCloseDisplay (display);

        stop();
    }

    bool isRunning() const { return display != nullptr; }
    const juce::String& displayName() const { return name; }

private:
    juce::String lockFile() const { return "/tmp/.X" + juce::String (number) + "-lock"; }

    void stop()
    {
        if (server.isRunning())
        {
            server.kill();
            server.waitForProcessToFinish (5000);
        }

        // Killed, the server leaves its lock and socket behind.
        juce::File (lockFile()).deleteFile();
        juce::File ("/tmp/.X11-unix/X" + juce::String (number)).deleteFile();
    }

    juce::ChildProcess server;
    juce::String name;
    Display* display{ nullptr };
    int number{ 0 };
};
} // namespace

void runThisTestOnOwnDisplay()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    ASSERT_NE (test, nullptr);
    const auto fullName = juce::String (test->test_suite_name()) + "." + test->name();

    OwnXServer server;
    ASSERT_TRUE (server.isRunning()) << "no virtual X server could be started";

    juce::ChildProcess child;
    const auto program = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName();
    ASSERT_TRUE (child.start (juce::StringArray ("/usr/bin/env", "DISPLAY=" + server.displayName(), juce::String (childMark) + "=1",
                                                 program, "--gtest_filter=" + fullName),
                              juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr));

    // The pipe read blocks until the child writes or ends, so it runs beside the hang guard.
    juce::String output;
    std::thread reader ([&child, &output] { output = child.readAllProcessOutput(); });
    const auto ended = child.waitForProcessToFinish (240000);

    if (! ended)
        child.kill();

    reader.join();
    ASSERT_TRUE (ended) << "the run on its own display did not end:\n" << output;
    EXPECT_EQ (child.getExitCode(), 0u) << output;
    EXPECT_TRUE (output.contains ("[  PASSED  ] 1 test")) << output;
}

TestKeyboard::TestKeyboard() : display (XOpenDisplay (nullptr)) { EXPECT_NE (display, nullptr) << "no display"; }

TestKeyboard::~TestKeyboard()
{
    if (display != nullptr)
        XCloseDisplay (connection (display));
}

void TestKeyboard::setNumLock (bool on)
{
    auto* x = connection (display);
    const auto mask = XkbKeysymToModifiers (x, XK_Num_Lock);
    ASSERT_NE (mask, 0u) << "the keyboard map has no Num Lock";
    XkbLockModifiers (x, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync (x, False);

    XkbStateRec state{};
    XkbGetState (x, XkbUseCoreKbd, &state);
    ASSERT_EQ ((state.locked_mods & mask) != 0, on);
}

bool TestKeyboard::waitForFocus (juce::Component& window)
{
    // The peer asks the X server which window has the focus (the framework gives it to a window
    // inside its own).
    return GuiHarness::pumpUntil (
        [&window]
        {
            window.toFront (true);
            return window.getPeer() != nullptr && window.getPeer()->isFocused();
        });
}

void TestKeyboard::press (const std::vector<const char*>& keys)
{
    for (auto* key : keys)
        send (key, true);
}

void TestKeyboard::release (const std::vector<const char*>& keys)
{
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        send (*key, false);
}

void TestKeyboard::send (const char* key, bool down)
{
    auto* x = connection (display);
    const auto code = XKeysymToKeycode (x, XStringToKeysym (key));
    ASSERT_NE (code, 0) << key << " is on no key";
    XTestFakeKeyEvent (x, code, down ? True : False, CurrentTime);
    XSync (x, False);
}
#endif
} // namespace corvix::testing
