#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <memory>
#include <optional>

namespace shelltest
{
/** A virtual X server of its own, of the given screen size, with a white root window and no
    window manager, on which the real program runs with a home folder and a /var (and so settings
    files and a single-instance lock) of its own, kept from one start to the next. Everything is
    seen as another X client sees it. */
class ProgramOnOwnDisplay final
{
public:
    ProgramOnOwnDisplay (int screenWidth, int screenHeight);
    ~ProgramOnOwnDisplay();

    /** False when no X server could be started (the test then fails with this). */
    bool hasDisplay() const { return display != nullptr; }

    /** Starts the program; false when it could not be started. */
    bool startProgram();

    /** The settings file common to all users, as the program run by the superuser keeps it. */
    juce::File commonSettingsFile() const;

    /** Runs xdotool on the display with the arguments (real pointer and key events, as a user
        makes them); false when it failed. */
    bool xdotool (const juce::StringArray& arguments) const;
    juce::ChildProcess& program() { return process; }

    struct WindowState
    {
        unsigned long id{ 0 };
        juce::Rectangle<int> bounds; // on the screen
        juce::String title;
        bool mapped{ false };
    };

    /** The program's top-level window (the first one it made), if it made one. */
    std::optional<WindowState> programWindow() const;

    /** What the window shows on the screen now (its part on the screen), as another X client
        reads it; a null image when the window is gone, not viewable or off the screen. */
    juce::Image picture (unsigned long window) const;

    /** Moves and resizes the window, as a user does through a window manager. */
    void moveAndResize (unsigned long window, juce::Rectangle<int> bounds) const;

    /** True when the X server sends the keys to the window (or a window inside it). */
    bool hasInputFocus (unsigned long window) const;

    /** Presses and releases a key in the window that has the keyboard focus, as the user types it,
        with the control key held when asked. */
    void typeKey (const char* keyName, bool withControl) const;

    /** Polls the condition until it holds or the time is up; returns the condition. */
    static bool waitUntil (const std::function<bool()>& condition, int timeoutMs);

    const int width, height;

private:
    juce::ChildProcess server, process;
    juce::String displayName;
    void* display{ nullptr };
    void* previousErrorHandler{ nullptr };
    int number{ 0 };
    const juce::File scratch{ juce::File::createTempFile ("program") };
    const juce::File home{ scratch.getChildFile ("home") }, privateVar{ scratch.getChildFile ("var") };
};
} // namespace shelltest
