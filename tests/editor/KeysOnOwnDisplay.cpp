#include "tests/editor/KeysOnOwnDisplay.h"

#include "tests/support/GuiHarness.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
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

bool onOwnDisplay()
{
#if defined(_WIN32)
    return true;
#else
    return juce::SystemStats::getEnvironmentVariable (childMark, {}).isNotEmpty();
#endif
}

namespace
{
/** The keys of the taps or chord, in the order they go down. */
juce::StringArray keysOf (const juce::String& chord) { return juce::StringArray::fromTokens (chord, "+", {}); }
} // namespace

bool TestKeyboard::waitForFocus (juce::Component& window)
{
    // The peer asks the system which window has the focus (the framework gives it to a window
    // inside its own).
    return GuiHarness::pumpUntil (
        [&window]
        {
            window.toFront (true);
            return window.getPeer() != nullptr && window.getPeer()->isFocused();
        });
}

void TestKeyboard::tap (const juce::String& taps)
{
    for (const auto& chord : juce::StringArray::fromTokens (taps, " ", {}))
    {
        const auto keys = keysOf (chord);

        for (const auto& key : keys)
            send (key, true);

        for (int i = keys.size(); --i >= 0;)
            send (keys[i], false);
    }
}

#if defined(_WIN32)
namespace
{
struct ScanCode
{
    const char* key;
    WORD code;
    bool extended;
    WORD virtualKey; // as the keyboard layout makes it of the scan code
    WORD withNumLock; // the same, Num Lock on; 0: the same either way
};

/** What a keyboard sends for the keys the tests press, and what the keyboard layout makes of it:
    the keypad's keys share their scan codes with the separate Home, arrow, Insert, Delete, Enter
    and "/" keys, which a keyboard sends as extended keys. */
constexpr ScanCode scanCodes[] = {
    { "KP_0", 0x52, false, VK_INSERT, VK_NUMPAD0 },
    { "KP_1", 0x4f, false, VK_END, VK_NUMPAD1 },
    { "KP_2", 0x50, false, VK_DOWN, VK_NUMPAD2 },
    { "KP_3", 0x51, false, VK_NEXT, VK_NUMPAD3 },
    { "KP_4", 0x4b, false, VK_LEFT, VK_NUMPAD4 },
    { "KP_5", 0x4c, false, VK_CLEAR, VK_NUMPAD5 },
    { "KP_6", 0x4d, false, VK_RIGHT, VK_NUMPAD6 },
    { "KP_7", 0x47, false, VK_HOME, VK_NUMPAD7 },
    { "KP_8", 0x48, false, VK_UP, VK_NUMPAD8 },
    { "KP_9", 0x49, false, VK_PRIOR, VK_NUMPAD9 },
    { "KP_Decimal", 0x53, false, VK_DELETE, VK_DECIMAL },
    { "KP_Add", 0x4e, false, VK_ADD, 0 },
    { "KP_Subtract", 0x4a, false, VK_SUBTRACT, 0 },
    { "KP_Multiply", 0x37, false, VK_MULTIPLY, 0 },
    { "KP_Divide", 0x35, true, VK_DIVIDE, 0 },
    { "KP_Enter", 0x1c, true, VK_RETURN, 0 },
    { "Num_Lock", 0x45, false, VK_NUMLOCK, 0 },
    { "1", 0x02, false, '1', 0 },
    { "Return", 0x1c, false, VK_RETURN, 0 },
    { "End", 0x4f, true, VK_END, 0 },
};

const ScanCode& scanCodeOf (const juce::String& key)
{
    static constexpr ScanCode none{ "", 0, false, 0, 0 };

    for (const auto& scanCode : scanCodes)
        if (key == scanCode.key)
            return scanCode;

    return none;
}

bool numLockIsOn() { return (GetKeyState (VK_NUMLOCK) & 1) != 0; }
} // namespace

void runThisTestOnOwnDisplay() {} // not needed: onOwnDisplay() holds

TestKeyboard::TestKeyboard() = default;
TestKeyboard::~TestKeyboard() = default;

void TestKeyboard::setNumLock (bool on)
{
    if (numLockIsOn() == on)
        return;

    tap ("Num_Lock");
    ASSERT_TRUE (GuiHarness::pumpUntil ([on] { return numLockIsOn() == on; })) << "Num Lock stays " << (on ? "off" : "on");
}

void TestKeyboard::hold (const juce::String& keys, const std::function<bool()>& repeatedEnough)
{
    const auto held = keysOf (keys);

    for (const auto& key : held)
        send (key, true);

    // The last key repeats, as a keyboard repeats a held key, until the window has had enough.
    GuiHarness::pumpUntil (
        [&]
        {
            if (repeatedEnough())
                return true;

            send (held[held.size() - 1], true);
            return false;
        });

    for (int i = held.size(); --i >= 0;)
        send (held[i], false);
}

void TestKeyboard::send (const juce::String& key, bool down)
{
    const auto& scanCode = scanCodeOf (key);
    ASSERT_NE (scanCode.code, 0) << key << " has no scan code here";

    // Windows makes the key message's virtual key of the scan code itself; Wine takes the one
    // given, which Windows ignores.
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = numLockIsOn() && scanCode.withNumLock != 0 ? scanCode.withNumLock : scanCode.virtualKey;
    input.ki.wScan = scanCode.code;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (scanCode.extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (down ? 0u : KEYEVENTF_KEYUP);
    ASSERT_EQ (SendInput (1, &input, sizeof (input)), 1u) << key;
}
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

TestKeyboard::TestKeyboard() : display (XOpenDisplay (nullptr))
{
    EXPECT_NE (display, nullptr) << "no display";

    // A held key starts repeating soon: the server is the test's own.
    if (display != nullptr)
        XkbSetAutoRepeatRate (connection (display), XkbUseCoreKbd, 100, 20);
}

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

void TestKeyboard::hold (const juce::String& keys, const std::function<bool()>& repeatedEnough)
{
    const auto held = keysOf (keys);

    for (const auto& key : held)
        send (key, true);

    GuiHarness::pumpUntil (repeatedEnough);

    for (int i = held.size(); --i >= 0;)
        send (held[i], false);
}

void TestKeyboard::send (const juce::String& key, bool down)
{
    auto* x = connection (display);
    const auto code = XKeysymToKeycode (x, XStringToKeysym (key.toRawUTF8()));
    ASSERT_NE (code, 0) << key << " is on no key";
    XTestFakeKeyEvent (x, code, down ? True : False, CurrentTime);
    XSync (x, False);
}
#endif
} // namespace corvix::testing
