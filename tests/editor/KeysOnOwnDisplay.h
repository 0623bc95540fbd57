#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace corvix::testing
{
/** For tests of what the keyboard sends: on Linux the calling test runs again in a child process
    of this test program, on a virtual X server of its own, where nothing else takes the keyboard
    or holds a key. The test asks onOwnDisplay() first: false in the test program itself, which
    then runs the child and reports its failures; true in the child, which does the work. On
    Windows always true: the keys a program sends go to its own window there, and under Wine
    each test program has a desktop of its own. */
bool onOwnDisplay();

/** Runs the calling test in the child on a fresh X server and fails the test with the child's
    output unless the child's run passed. */
void runThisTestOnOwnDisplay();

/** The keyboard, driven as a keyboard drives it: on Linux through the X server's test extension,
    on Windows as the scan codes a keyboard sends (with the extended-key flag where a keyboard sets
    it). The presses and releases reach the focused window as a keyboard's would. On Linux only in
    the child. */
class TestKeyboard final
{
public:
    TestKeyboard();
    ~TestKeyboard();

    TestKeyboard (const TestKeyboard&) = delete;
    TestKeyboard& operator= (const TestKeyboard&) = delete;

    /** Locks Num Lock on or off, as its key and light would. On Windows the Num Lock key is
        pressed when the lock is the other way, which needs a focused window of the program. */
    void setNumLock (bool on);

    /** Waits until the window (a top-level one, shown) has the keyboard focus. */
    bool waitForFocus (juce::Component& window);

    /** Taps the keys, one tap after the other, each pressed and released at once with no wait:
        keys by their X names, those held together joined by "+", taps separated by blanks
        ("Control_L+KP_Subtract", "1 KP_1"). */
    void tap (const juce::String& taps);

    /** Presses the keys (joined by "+") and holds them until the condition holds, the last one
        repeating as a held key does (the X server repeats it; on Windows its press comes again, as
        a keyboard repeats it), then releases them. */
    void hold (const juce::String& keys, const std::function<bool()>& repeatedEnough);

private:
    void send (const juce::String& key, bool down);

    void* display{ nullptr };
};
} // namespace corvix::testing
